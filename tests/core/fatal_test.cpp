// Failures the game cannot run past end it with status 1 and one line saying what is missing.
#include <unistd.h>

#include <filesystem>

#include "render/image.h"
#include "support/harness.h"

class FatalTest : public GameTest {};

TEST_F(FatalTest, AMissingPictureOrSoundOrAFullTableEndsTheGameInOneLine) {
  // The message goes to standard output: each death test sends it where the check can see it.
  EXPECT_EXIT(
      {
        dup2(2, 1);
        harness::Boot();
        ImageFromFile("./Data/Images/noSuchPicture.png");
      },
      ::testing::ExitedWithCode(1), "Could not load image \\./Data/Images/noSuchPicture\\.png\\. Reason: ");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        harness::Boot();
        for (int i = 0; i < 501; ++i) TouchAreaAdd(0, 0, 1, 1, nullptr);
      },
      ::testing::ExitedWithCode(1), "Cannot add to the touch area table: it holds at most 500 entries\\.");
  std::filesystem::remove("Data/Sounds");
  std::filesystem::create_directory("Data/Sounds");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        harness::Boot();
        harness::FinishLoading();
      },
      ::testing::ExitedWithCode(1),
      "Could not load wav file \\./Data/Sounds/explosion\\.wav: it is missing\\. Reason: .*\n");
}
