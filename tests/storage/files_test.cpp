// The file helper: handles, the data-path rule, in-place writes and slot reuse.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/game_state.h"
#include "storage/files.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

using harness::ReadFile;
using harness::WriteFile;

}  // namespace

class FileHelperTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (FileHandle slot = 0; slot < kMaxFiles; ++slot) FileClose(slot);
    GameState.FileTable = FileTableRecord{};
  }
  void TearDown() override {
    for (FileHandle slot = 0; slot < kMaxFiles; ++slot) FileClose(slot);
    GameTest::TearDown();
  }
};

TEST_F(FileHelperTest, MissingFileFailsAndTakesNoSlot) {
  EXPECT_EQ(FileOpen("User/nothing.cfg"), -1);
  EXPECT_EQ(FileOpen("Levels/level999999.dat"), -1);
  EXPECT_EQ(GameState.FileTable.FileCount, 0);
  // The path is taken relative to ./Data, not to the working directory.
  WriteFile("loose.txt", "x");
  EXPECT_EQ(FileOpen("loose.txt"), -1);
  EXPECT_EQ(GameState.FileTable.FileCount, 0);
}

TEST_F(FileHelperTest, CreateLeavesAnEmptyFileAndAHandleAtItsStart) {
  WriteFile("Data/User/old.cfg", "previous content");
  const FileHandle created = FileCreate("User/new.cfg");
  const FileHandle emptied = FileCreate("User/old.cfg");
  ASSERT_EQ(created, 0);
  ASSERT_EQ(emptied, 1);
  EXPECT_EQ(GameState.FileTable.FileCount, 2);
  EXPECT_TRUE(fs::exists("Data/User/new.cfg"));
  EXPECT_EQ(fs::file_size("Data/User/new.cfg"), 0u);
  EXPECT_EQ(fs::file_size("Data/User/old.cfg"), 0u);
  FileWrite(created, "abc", 3);
  FileClose(created);
  FileClose(emptied);
  EXPECT_EQ(ReadFile("Data/User/new.cfg"), "abc");
}

TEST_F(FileHelperTest, WritesOverwriteInPlaceAndNeverShorten) {
  WriteFile("Data/User/three.cfg", "110");
  WriteFile("Data/User/ten.cfg", "0123456789");
  FileHandle file = FileOpen("User/three.cfg");
  FileWrite(file, "014", 3);
  FileClose(file);
  EXPECT_EQ(ReadFile("Data/User/three.cfg"), "014");

  file = FileOpen("User/ten.cfg");
  FileWrite(file, "abc", 3);
  FileClose(file);
  EXPECT_EQ(ReadFile("Data/User/ten.cfg"), "abc3456789");

  // Bytes after a NUL are written like any other.
  const char withNul[] = {'a', '\0', 'b', '\0'};
  file = FileOpen("User/ten.cfg");
  FileWrite(file, withNul, 4);
  FileClose(file);
  EXPECT_EQ(ReadFile("Data/User/ten.cfg"), std::string("a\0b\0" "456789", 10));
}

TEST_F(FileHelperTest, ReadLineFollowsFgets) {
  WriteFile("Data/User/lines.txt", "ab\ncdef");
  char buffer[10];
  FileHandle file = FileOpen("User/lines.txt");
  ASSERT_EQ(FileReadLine(file, buffer, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "ab\n");
  ASSERT_EQ(FileReadLine(file, buffer, 3), buffer);  // at most size-1 bytes
  EXPECT_STREQ(buffer, "cd");
  ASSERT_NE(FileReadLine(file, buffer, sizeof buffer), nullptr);
  EXPECT_STREQ(buffer, "ef");
  EXPECT_EQ(FileReadLine(file, buffer, sizeof buffer), nullptr);  // end of file
  FileClose(file);
}

TEST_F(FileHelperTest, BadHandlesAreIgnored) {
  WriteFile("Data/User/keep.cfg", "keep");
  const FileHandle file = FileOpen("User/keep.cfg");
  ASSERT_EQ(file, 0);
  FileClose(file);
  char buffer[8] = "intact";
  for (FileHandle bad : {-1, -7, file, 1, kMaxFiles, 100000}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(FileReadLine(bad, buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "intact");
    FileWrite(bad, "XX", 2);
    FileClose(bad);
  }
  EXPECT_EQ(ReadFile("Data/User/keep.cfg"), "keep");
  EXPECT_EQ(GameState.FileTable.FileCount, 1);
  EXPECT_EQ(GameState.FileTable.files[0], nullptr);
}

TEST_F(FileHelperTest, HandlesCountUpAndClosedSlotsWaitUntilTheTableIsUsedUp) {
  WriteFile("Data/User/a.cfg", "a");
  for (int i = 0; i < 10; ++i) {
    const FileHandle file = FileOpen("User/a.cfg");
    EXPECT_EQ(file, i);
    FileClose(file);
  }
  EXPECT_EQ(FileOpen("User/a.cfg"), 10);
  EXPECT_EQ(GameState.FileTable.FileCount, 11);
}

TEST_F(FileHelperTest, AfterFiveHundredHandlesClosedSlotsAreReusedLowestFirst) {
  WriteFile("Data/User/a.cfg", "000");
  for (int i = 0; i < kMaxFiles; ++i) FileClose(FileOpen("User/a.cfg"));
  EXPECT_EQ(GameState.FileTable.FileCount, kMaxFiles);
  // Every slot is closed now: opens start again from the lowest.
  const FileHandle first = FileOpen("User/a.cfg");
  const FileHandle second = FileOpen("User/a.cfg");
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  FileWrite(second, "7", 1);
  FileClose(first);
  FileClose(second);
  EXPECT_EQ(ReadFile("Data/User/a.cfg"), "700");
  for (int i = 0; i < 200; ++i) {
    const FileHandle file = FileOpen("User/a.cfg");
    ASSERT_EQ(file, 0);
    FileClose(file);
  }
  EXPECT_EQ(GameState.FileTable.FileCount, kMaxFiles);
}

TEST_F(FileHelperTest, FullTableFailsOpensWithoutEmptyingFiles) {
  WriteFile("Data/User/a.cfg", "precious");
  for (int i = 0; i < kMaxFiles; ++i) ASSERT_EQ(FileOpen("User/a.cfg"), i);
  EXPECT_EQ(FileOpen("User/a.cfg"), -1);
  EXPECT_EQ(FileCreate("User/a.cfg"), -1);
  EXPECT_EQ(FileCreate("User/b.cfg"), -1);
  EXPECT_EQ(GameState.FileTable.FileCount, kMaxFiles);
  EXPECT_EQ(ReadFile("Data/User/a.cfg"), "precious");
  FileClose(321);
  FileClose(123);
  EXPECT_EQ(FileOpen("User/a.cfg"), 123);
  EXPECT_EQ(FileCreate("User/b.cfg"), 321);
  EXPECT_EQ(FileOpen("User/a.cfg"), -1);
}

TEST_F(FileHelperTest, CreateFailsWhereTheFileCannotBeMade) {
  fs::remove("Data/User");
  EXPECT_EQ(FileCreate("User/VelmoraConfig.cfg"), -1);
  EXPECT_EQ(FileCreate("NoSuchDirectory/x.cfg"), -1);
  EXPECT_EQ(GameState.FileTable.FileCount, 0);
  EXPECT_FALSE(fs::exists("Data/User"));
}
