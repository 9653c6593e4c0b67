#include "ui/best_scores.h"

#include <cstdio>

#include "audio/sound.h"
#include "core/game_state.h"
#include "core/scene.h"
#include "render/text.h"
#include "storage/profile.h"
#include "ui/message_box.h"
#include "views/views.h"

namespace {

constexpr int32_t kPanelX = 212, kPanelY = 250;
constexpr int32_t kFirstRowY = 318, kRowPitch = 31;
constexpr int32_t kScoreRight = 420, kDateX = 500;

// Every frame: the table as it stands, the logo and back.
bool BestScoresFrame() {
  const BestScoresScreenRecord& table = GameState.BestScores;
  ViewsSetVisible({table.scoresPanel, GameState.Menu.backButton, GameState.Menu.logoView}, 1);
  const ProfileRecord& profile = GameState.Profile;
  const Font* font = FontById(GameState.font20);
  for (int i = 0; i < kBestScores; ++i) {
    char score[12] = "-";
    if (i < profile.bestCount) snprintf(score, sizeof score, "%d", profile.best[i].score);
    TextSetText(table.scoreRows[i], score);
    const int32_t width = font != nullptr ? TextWidth(*font, score) : 0;
    TextSetxy(table.scoreRows[i], kScoreRight - width, kFirstRowY + i * kRowPitch);
    TextSetText(table.scoreDates[i], i < profile.bestCount ? profile.best[i].date : "");
    TextSetVisible(table.scoreRows[i], 1);
    TextSetVisible(table.scoreDates[i], 1);
  }
  return true;
}

// The table and the back button go; the logo belongs to the menu.
void LeaveBestScores() {
  const BestScoresScreenRecord& table = GameState.BestScores;
  ViewsSetVisible({table.scoresPanel, GameState.Menu.backButton}, 0);
  for (int i = 0; i < kBestScores; ++i) TextsSetVisible({table.scoreRows[i], table.scoreDates[i]}, 0);
}

}  // namespace

const Screen kBestScoresScreen = {nullptr, BestScoresFrame, LeaveBestScores, PlayMenuMusic};

void CreateBestScores() {
  BestScoresScreenRecord& table = GameState.BestScores;
  table.scoresPanel = ViewAddHidden("Images/scoresBG.png", kPanelX, kPanelY);
  for (int i = 0; i < kBestScores; ++i) {
    table.scoreRows[i] = TextAdd(kScoreRight, kFirstRowY + i * kRowPitch, "           ", GameState.font20);
    table.scoreDates[i] = TextAdd(kDateX, kFirstRowY + i * kRowPitch, "          ", GameState.font20);
  }
  LeaveBestScores();
}

void BestScoreLines(int32_t score, char* first, char* third, int size) {
  const ProfileRecord& profile = GameState.Profile;
  const bool hadBest = profile.bestCount > 0;
  const int32_t previousBest = hadBest ? profile.best[0].score : 0;
  const int32_t rank = RecordBestScore(score);
  char text[40];
  if (rank == 0) {
    CentreInMessageBox("NEW BEST SCORE!", first, size);
    if (hadBest)
      snprintf(text, sizeof text, "Best so far was %d", previousBest);
    else
      snprintf(text, sizeof text, "Your first best score");
  } else {
    CentreInMessageBox("GAME OVER", first, size);
    snprintf(text, sizeof text, "Best so far: %d", profile.best[0].score);
  }
  CentreInMessageBox(text, third, size);
}
