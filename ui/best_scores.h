// Free play's best scores: the table screen reached from the menu (ten rows, best first, each
// with its date) and the lines of the box that closes a free-play round.
#pragma once

#include <cstdint>

struct Screen;

// Start-up: the table's panel and its twenty text views (score and date of each row), hidden.
void CreateBestScores();
// The table, under the logo with the back button.
extern const Screen kBestScoresScreen;
// A free-play round ended with this score: it joins the table, and the closing box's first and
// third lines say whether it is a new best and what the best is (the second line is the score).
void BestScoreLines(int32_t score, char* first, char* third, int size);
