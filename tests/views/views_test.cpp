#include <unistd.h>

#include "core/data_path.h"
#include "core/game_state.h"
#include "render/image.h"
#include "support/harness.h"
#include "views/views.h"

class ViewTableTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    harness::Boot();  // the loading screen takes view ids 0, 1 and 2
  }
};

TEST_F(ViewTableTest, IdsCountFromZeroPerTableInCreationOrder) {
  EXPECT_EQ(GameState.loadingBackground, 0);
  EXPECT_EQ(GameState.loadingBarFrame, 1);
  EXPECT_EQ(GameState.loadingBar, 2);
  EXPECT_EQ(ViewAdd("Images/pb.png", 5, 6), 3);
  EXPECT_EQ(ImageAdd("Images/pb.png"), 0);
  EXPECT_EQ(ImageAdd("Images/pbBG.png"), 1);
  EXPECT_EQ(ViewAddFromImage(1, -50, -50), 4);
  EXPECT_EQ(TouchAreaAdd(0, 48, 1024, 768, nullptr), 0);
  EXPECT_EQ(TouchAreaAdd(1, 2, 3, 4, nullptr), 1);
  const View* fromImage = ViewAt(4);
  EXPECT_EQ(fromImage->width, 300);
  EXPECT_EQ(fromImage->height, 10);
  EXPECT_EQ(fromImage->visible, 1);
  EXPECT_EQ(fromImage->image->texture, GameState.ImageTable.entries[1]->image->texture);
  EXPECT_EQ(DataPath("Images/pb.png"), "./Data/Images/pb.png");
}

TEST_F(ViewTableTest, ViewAddSleepsTenMillisecondsAndImageAddDoesNot) {
  const size_t before = harness::recorded().delays.size();
  ViewAdd("Images/pb.png", 0, 0);
  ASSERT_EQ(harness::recorded().delays.size(), before + 1);
  EXPECT_EQ(harness::recorded().delays.back(), 10u);
  ImageAdd("Images/pb.png");
  ViewAddFromImage(0, 0, 0);
  EXPECT_EQ(harness::recorded().delays.size(), before + 1);
}

TEST_F(ViewTableTest, PictureChangesLeaveTheTouchBox) {
  const ViewId view = ViewAdd("Images/pb.png", 10, 20);
  const int boxW = ViewAt(view)->width, boxH = ViewAt(view)->height;
  const ImageId large = ImageAdd("Images/loadingBG.png");
  EXPECT_EQ(ViewSetImage(view, large), view);
  EXPECT_EQ(ViewAt(view)->image->width, 1024);
  EXPECT_EQ(ViewAt(view)->width, boxW);
  ViewSetImageSize(view, 7, 9);
  EXPECT_EQ(ViewAt(view)->image->width, 7);
  EXPECT_EQ(ViewAt(view)->height, boxH);
  EXPECT_EQ(ViewGetX(view), 10);
  EXPECT_EQ(ViewGetY(view), 20);
  ViewHide(view, 12345);
  ViewHide(view, 0);
  EXPECT_EQ(ViewAt(view)->visible, 0);
}

TEST_F(ViewTableTest, FullTablesStopTheProgramWithOneLine) {
  EXPECT_EXIT(
      {
        dup2(2, 1);
        for (int i = 0; i < 600; ++i) ViewAddFromImage(ImageAdd("Images/pb.png"), 0, 0);
      },
      ::testing::ExitedWithCode(1), "Cannot add to the (view|image) table: it holds at most 500 entries\\.");
  EXPECT_EXIT(
      {
        dup2(2, 1);
        for (int i = 0; i < 501; ++i) TouchAreaAdd(0, 0, 1, 1, nullptr);
      },
      ::testing::ExitedWithCode(1), "Cannot add to the touch area table: it holds at most 500 entries\\.");
}
