// A save and a repair of the save game killed at each of their file calls (strace's fault
// injection sends SIGKILL as the call is made), each time followed by a restart: the save holds
// the old or the new progress, never the defaults and never nothing, and a copy set aside by an
// earlier repair is never replaced.
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "storage/user_files.h"
#include "storage/user_folder.h"
#include "support/harness.h"

namespace fs = std::filesystem;
using namespace harness;

namespace {

constexpr const char* kEarlierCopy = "Data/User/VelMoraSaveGame.sav.damaged";

// The campaign level and credits a start read.
std::string Progress() { return std::to_string(GameState.campaignLevel) + ";" + std::to_string(GameState.credits); }

// What the test binary does when re-run under strace, between two marks the trace shows: "save"
// saves new progress over a loaded save, "repair" loads a damaged one.
[[noreturn]] void Probe(const std::string& what) {
  LoadOptions();
  if (what == "save") LoadSaveGame();
  access("probe-begins", F_OK);
  if (what == "save") {
    GameState.weaponsLevel = GameState.shieldLevel = GameState.handlingLevel = GameState.structureLevel = 3;
    GameState.campaignLevel = 6;
    GameState.credits = 42424;
    SaveGame();
  } else {
    LoadSaveGame();
  }
  access("probe-ends", F_OK);
  _exit(0);
}

// The probe's status as sh reports it: 0, or 128 + 9 when SIGKILL ended it.
int RunProbe(const std::string& what, const std::string& inject, const char* trace) {
  const std::string command = "VELMORA_KILL_PROBE=" + what + " strace -f -qq -o " + trace + " -e trace=%file,%desc " +
                              (inject.empty() ? "" : "-e inject=" + inject + ":signal=KILL ") +
                              fs::read_symlink("/proc/self/exe").string() + " --gtest_filter=KillTest.* >/dev/null";
  return WEXITSTATUS(std::system(command.c_str()));
}

void Prepare(const std::string& save) {
  for (const auto& entry : fs::directory_iterator("Data/User")) fs::remove(entry.path());
  WriteFile(kSave, save);
  WriteFile(kOptions, "101");
  WriteFile(kEarlierCopy, "an earlier repair kept this");
}

// Kills the probe at each file call it makes between its marks; after each kill a restart must
// read one of `allowed` and leave the save as one of `files`; the damaged save, if any, is kept.
void KillAtEveryCall(const std::string& what, const std::string& save, const std::set<std::string>& allowed,
                     const std::set<std::string>& files, const std::string& damaged) {
  Prepare(save);
  ASSERT_EQ(RunProbe(what, "", "trace-whole"), 0);
  // Each call in the marked stretch, as the syscall's name and its count from the process start
  // (a traced line is "<pid> <name>(<arguments>) = <result>").
  std::vector<std::pair<std::string, int>> targets;
  std::map<std::string, int> seen;
  std::ifstream trace("trace-whole");
  bool inside = false;
  for (std::string line; std::getline(trace, line) && line.find("\"probe-ends\"") == std::string::npos;) {
    const size_t at = line.find_first_not_of(' ', line.find(' '));
    const std::string name = line.substr(at, line.find('(') - at);
    if (name.find_first_of("+<- ") != std::string::npos) continue;
    seen[name] += 1;
    if (inside) targets.push_back({name, seen[name]});
    inside |= line.find("\"probe-begins\"") != std::string::npos;
  }
  ASSERT_GE(targets.size(), 8u) << "a " << what << " makes its temporary file, writes, syncs and renames it";
  // What makes a write last: the new file on the disk before it is renamed, the folder after.
  std::string order;
  for (const auto& call : targets) order += call.first == "fsync" || call.first == "rename" ? call.first + " " : "";
  EXPECT_NE(order.find("fsync rename fsync"), std::string::npos) << "a " << what << " syncs and renames: " << order;
  for (const auto& [name, count] : targets) {
    SCOPED_TRACE(what + " killed at " + name + " #" + std::to_string(count));
    Prepare(save);
    ASSERT_EQ(RunProbe(what, name + ":when=" + std::to_string(count), "trace-killed"), 128 + SIGKILL);
    LoadOptions();  // the restart
    LoadSaveGame();
    UserFolderRelease();
    EXPECT_TRUE(allowed.count(Progress())) << Progress();
    EXPECT_TRUE(files.count(ReadFile(kSave))) << "the save holds \"" << ReadFile(kSave) << "\"";
    EXPECT_EQ(ReadFile(kEarlierCopy) + ReadFile(kOptions), "an earlier repair kept this101");
    bool kept = damaged.empty();
    for (const auto& entry : fs::directory_iterator("Data/User")) kept |= ReadFile(entry.path()) == damaged;
    EXPECT_TRUE(kept) << "the damaged save is kept under a name of its own";
  }
}

}  // namespace

TEST(KillTest, ASaveOrARepairKilledAtAnyFileCallLeavesTheOldOrTheNewProgress) {
  if (const char* what = getenv("VELMORA_KILL_PROBE")) Probe(what);
  const std::string workDir = driver::EnterScratchRunTree("velmora-kill", VELMORA_BUILD_DATA_DIR);
  ASSERT_FALSE(workDir.empty());
  const std::string before = Record("Vel mora >>2;2;2;2;4;700<<"), after = Record("Vel mora >>3;3;3;3;6;42424<<");
  KillAtEveryCall("save", before, {"4;700", "6;42424"}, {before, after}, "");
  // Campaign level 5 and 900 credits are the player's; the bad levels go back to 1.
  const std::string damaged = Record("Vel mora >>0;7;3;-2;5;900<<");
  KillAtEveryCall("repair", damaged, {"5;900"}, {Record("Vel mora >>1;1;3;1;5;900<<")}, damaged);
  driver::RemoveScratchDirectory(workDir);
}
