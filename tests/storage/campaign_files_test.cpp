// Checks the shipped campaign: the chain of level files from level 1 to the last mission, and the
// values in them that the round set-up, the mission check and the shop economy rely on.
// Runs against the run tree in ./Data and reads the files with plain C++, as the game does:
// the first line, at most 99 characters, parsed with "%d;%d;%d;%c;%d;%d;%d".

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct Mission {
  int level = 0;
  std::string line;  // first line of the file, without its newline
  bool endsWithNewline = false;
  int asteroidPace = 0;
  int oreRange = 0;
  int infectedRange = 0;
  char type = 0;
  int target = 0;
  int reward = 0;
  int nextLevel = 0;
};

struct Campaign {
  std::vector<Mission> missions;  // in playing order, from level 1
  std::string error;              // why the walk stopped early; empty when it reached -1
};

std::string LevelPath(int level) {
  return "./Data/Levels/level" + std::to_string(level) + ".dat";
}

// The campaign can never be longer than this many missions; a longer walk means a broken chain.
constexpr int kWalkLimit = 1000;

Campaign WalkCampaign() {
  Campaign c;
  std::set<int> seen;
  int level = 1;
  while (level != -1) {
    if (level < 1) {
      c.error = "level number " + std::to_string(level) + " named as next level";
      return c;
    }
    if (!seen.insert(level).second) {
      c.error = "cycle: level " + std::to_string(level) + " is reached twice";
      return c;
    }
    if (static_cast<int>(seen.size()) > kWalkLimit) {
      c.error = "chain longer than " + std::to_string(kWalkLimit) + " missions";
      return c;
    }
    std::ifstream in(LevelPath(level), std::ios::binary);
    if (!in) {
      c.error = LevelPath(level) + " is missing";
      return c;
    }
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Mission m;
    m.level = level;
    const size_t newline = content.find('\n');
    m.line = content.substr(0, newline);
    m.endsWithNewline = newline != std::string::npos;
    if (m.line.size() > 99) {
      c.error = LevelPath(level) + " has a line longer than the 99 characters the game reads";
      return c;
    }
    const int fields = std::sscanf(m.line.c_str(), "%d;%d;%d;%c;%d;%d;%d", &m.asteroidPace,
                                   &m.oreRange, &m.infectedRange, &m.type, &m.target, &m.reward,
                                   &m.nextLevel);
    if (fields != 7) {
      c.error = LevelPath(level) + " parses only " + std::to_string(fields) + " of 7 fields";
      return c;
    }
    c.missions.push_back(m);
    level = m.nextLevel;
  }
  return c;
}

class CampaignFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { campaign_ = new Campaign(WalkCampaign()); }
  static void TearDownTestSuite() {
    delete campaign_;
    campaign_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(campaign_->error.empty()) << campaign_->error;
    ASSERT_FALSE(campaign_->missions.empty());
  }
  static const std::vector<Mission>& Missions() { return campaign_->missions; }

  static Campaign* campaign_;
};

Campaign* CampaignFiles::campaign_ = nullptr;

TEST_F(CampaignFiles, ChainRunsFromLevelOneToAFinalMission) {
  const auto& ms = Missions();
  EXPECT_GE(ms.size(), 20u);
  EXPECT_EQ(ms.front().level, 1);
  EXPECT_EQ(ms.back().nextLevel, -1);
  for (size_t i = 0; i + 1 < ms.size(); ++i) {
    EXPECT_NE(ms[i].nextLevel, -1) << "level " << ms[i].level << " ends the campaign early";
    EXPECT_EQ(ms[i].nextLevel, ms[i + 1].level);
  }
}

// Every file shipped in Levels/ is a mission the player can reach.
TEST_F(CampaignFiles, NoLevelFileIsOffTheChain) {
  std::set<int> onChain;
  for (const Mission& m : Missions()) onChain.insert(m.level);
  const std::regex name(R"(level(\d+)\.dat)");
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator("./Data/Levels")) {
    const std::string file = entry.path().filename().string();
    std::smatch match;
    ASSERT_TRUE(std::regex_match(file, match, name)) << "unexpected file Levels/" << file;
    ++files;
    EXPECT_TRUE(onChain.count(std::stoi(match[1].str()))) << file << " is not reachable";
  }
  EXPECT_EQ(files, static_cast<int>(Missions().size()));
}

// Each file is exactly one line in the canonical form with a trailing newline. A stray blank
// before the type letter would be read as the type itself and zero the fields after it.
TEST_F(CampaignFiles, EveryFileIsOneCanonicalLine) {
  for (const Mission& m : Missions()) {
    char canonical[128];
    std::snprintf(canonical, sizeof canonical, "%d;%d;%d;%c;%d;%d;%d", m.asteroidPace,
                  m.oreRange, m.infectedRange, m.type, m.target, m.reward, m.nextLevel);
    EXPECT_EQ(m.line, canonical) << LevelPath(m.level);
    EXPECT_TRUE(m.endsWithNewline) << LevelPath(m.level);
    std::ifstream in(LevelPath(m.level), std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, m.line + "\n") << LevelPath(m.level) << " holds more than one line";
  }
}

TEST_F(CampaignFiles, PacingValuesAreValid) {
  for (const Mission& m : Missions()) {
    // The asteroid spawn period is pace / 4 frames and must not be 0.
    EXPECT_GE(m.asteroidPace, 4) << LevelPath(m.level);
    // Ranges feed RandomBelow: -1 switches the object kind off, anything else must be positive.
    EXPECT_TRUE(m.oreRange == -1 || m.oreRange >= 1) << LevelPath(m.level);
    EXPECT_TRUE(m.infectedRange == -1 || m.infectedRange >= 1) << LevelPath(m.level);
  }
}

TEST_F(CampaignFiles, DifficultyRisesOverTheCampaign) {
  const auto& ms = Missions();
  EXPECT_GE(ms.front().asteroidPace, 70);
  EXPECT_LE(ms.back().asteroidPace, 30);
  // Individual missions may ease off (the escort missions do), but each third of the campaign
  // launches asteroids faster on average than the one before.
  const size_t third = ms.size() / 3;
  auto meanPace = [&](size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += ms[i].asteroidPace;
    return sum / static_cast<double>(to - from);
  };
  const double early = meanPace(0, third);
  const double middle = meanPace(third, ms.size() - third);
  const double late = meanPace(ms.size() - third, ms.size());
  EXPECT_GT(early, middle);
  EXPECT_GT(middle, late);
}

TEST_F(CampaignFiles, MissionTypesAreUsableAndVaried) {
  std::map<char, int> count;
  for (const Mission& m : Missions()) {
    ++count[m.type];
    EXPECT_NE(std::string("CDPS").find(m.type), std::string::npos)
        << LevelPath(m.level) << " has type '" << m.type << "'";
    EXPECT_GT(m.target, 0) << LevelPath(m.level);
    if (m.type == 'D') {
      EXPECT_NE(m.infectedRange, -1) << LevelPath(m.level) << " asks for infected but has none";
    }
    if (m.type == 'C') {
      EXPECT_NE(m.oreRange, -1) << LevelPath(m.level) << " asks for ore but has none";
    }
  }
  for (char type : std::string("CDPS")) EXPECT_GE(count[type], 3) << "type " << type;
}

// The shop sells 148,500 credits of upgrades and a new game starts with 5,000. The last
// mission's reward is never paid, so a player who wins everything earns the rest of the rewards.
TEST_F(CampaignFiles, RewardsBuyMostUpgradesByTheEnd) {
  const auto& ms = Missions();
  long long paid = 0;
  for (size_t i = 0; i < ms.size(); ++i) {
    EXPECT_GE(ms[i].reward, 0) << LevelPath(ms[i].level);
    if (i + 1 < ms.size()) paid += ms[i].reward;
  }
  EXPECT_GE(paid, 110000);
  EXPECT_LE(paid, 140000);

  const size_t half = (ms.size() - 1) / 2;
  long long firstHalf = 0;
  long long secondHalf = 0;
  for (size_t i = 0; i < half; ++i) firstHalf += ms[i].reward;
  for (size_t i = half; i < 2 * half; ++i) secondHalf += ms[i].reward;
  EXPECT_GT(secondHalf, firstHalf) << "later missions should pay more";
}

}  // namespace
