#include "ui/best_scores.h"

#include <cstdio>

#include "core/game_state.h"
#include "render/text.h"
#include "storage/profile.h"
#include "ui/message_box.h"
#include "views/views.h"

namespace {

constexpr int32_t kPanelX = 212, kPanelY = 250;
constexpr int32_t kFirstRowY = 318, kRowPitch = 31;
constexpr int32_t kScoreRight = 420, kDateX = 500;

}  // namespace

void CreateBestScores() {
  GameState.scoresPanel = ViewAddHidden("Images/scoresBG.png", kPanelX, kPanelY);
  for (int i = 0; i < kBestScores; ++i) {
    GameState.scoreRows[i] = TextAdd(kScoreRight, kFirstRowY + i * kRowPitch, "           ", GameState.font20);
    GameState.scoreDates[i] = TextAdd(kDateX, kFirstRowY + i * kRowPitch, "          ", GameState.font20);
  }
  HideBestScores();
}

void BestScoresFrame() {
  ViewsSetVisible({GameState.scoresPanel, GameState.backButton, GameState.logoView}, 1);
  const ProfileRecord& profile = GameState.Profile;
  const Font* font = FontById(GameState.font20);
  for (int i = 0; i < kBestScores; ++i) {
    char score[12] = "-";
    if (i < profile.bestCount) snprintf(score, sizeof score, "%d", profile.best[i].score);
    TextSetText(GameState.scoreRows[i], score);
    const int32_t width = font != nullptr ? TextWidth(*font, score) : 0;
    TextSetxy(GameState.scoreRows[i], kScoreRight - width, kFirstRowY + i * kRowPitch);
    TextSetText(GameState.scoreDates[i], i < profile.bestCount ? profile.best[i].date : "");
    TextSetVisible(GameState.scoreRows[i], 1);
    TextSetVisible(GameState.scoreDates[i], 1);
  }
}

void HideBestScores() {
  ViewsSetVisible({GameState.scoresPanel, GameState.backButton}, 0);
  for (int i = 0; i < kBestScores; ++i) TextsSetVisible({GameState.scoreRows[i], GameState.scoreDates[i]}, 0);
}

void BestScoreLines(int32_t score, char* first, char* third, int size) {
  const ProfileRecord& profile = GameState.Profile;
  const bool hadBest = profile.bestCount > 0;
  const int32_t previousBest = hadBest ? profile.best[0].score : 0;
  const int32_t rank = RecordBestScore(score);
  char text[40];
  if (rank == 0) {
    CentreInMessageBox("NEW BEST SCORE!", first, size);
    if (hadBest) snprintf(text, sizeof text, "Best so far was %d", previousBest);
    else snprintf(text, sizeof text, "Your first best score");
  } else {
    CentreInMessageBox("GAME OVER", first, size);
    snprintf(text, sizeof text, "Best so far: %d", profile.best[0].score);
  }
  CentreInMessageBox(text, third, size);
}
