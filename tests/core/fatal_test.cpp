// Failures the game cannot run past end it with status 1 and one line saying what is missing.
#include <unistd.h>

#include <filesystem>

#include "render/image.h"
#include "support/harness.h"

class FatalTest : public GameTest {};

TEST_F(FatalTest, AMissingPictureOrSoundOrAFullTableEndsTheGameInOneLine) {
  const std::pair<void (*)(), const char*> failures[] = {
      {[] { ImageFromFile("./Data/Images/noSuchPicture.png"); },
       "Could not load image \\./Data/Images/noSuchPicture\\.png\\. Reason: "},
      {[] {
         for (int i = 0; i < 501; ++i) TouchAreaAdd(0, 0, 1, 1, nullptr);
       },
       "Cannot add to the touch area table: it holds at most 500 entries\\."},
      {[] {
         std::filesystem::remove_all("Data/Sounds");  // the link to the built sounds
         harness::FinishLoading();
       },
       "Could not load wav file \\./Data/Sounds/explosion\\.wav: it is missing\\. Reason: .*\n"},
  };
  // The message goes to standard output: each death test sends it where the check can see it.
  for (const auto& [fail, said] : failures) {
    EXPECT_EXIT((dup2(2, 1), harness::Boot(), fail()), ::testing::ExitedWithCode(1), said);
  }
}
