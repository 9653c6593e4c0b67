// The player is told, once, in the game's own message box, when progress or settings cannot be
// saved: a second copy on the same folder, a full disk, a read-only or a missing folder. The old
// files stay as they were; a pipe where the save belongs does not hold up the start.
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "storage/profile.h"
#include "storage/user_folder.h"
#include "support/harness.h"

namespace fs = std::filesystem;
using namespace harness;

namespace {

constexpr int kSound[2] = {500, 425};
const std::string kProgress = Record("Vel mora >>2;3;4;5;6;789<<");

void WriteUserFiles(const char* options) {
  for (auto [path, bytes] : {std::pair{kSave, kProgress}, {kOptions, options}, {kCalibration, Record("0;0;")}})
    WriteFile(path, bytes);
  WriteFile(std::string("Data/") + kProfileFile, "Vel mora profile 1\nmusic 4\neffects 4\n");
}

// Every entry of the user folder with its bytes and modification time, and the folder's own time.
std::map<std::string, std::string> Snapshot() {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator("Data/User")) {
    files[entry.path()] =
        ReadFile(entry.path()) + "@" + std::to_string(entry.last_write_time().time_since_epoch().count());
  }
  files["."] = std::to_string(fs::last_write_time("Data/User").time_since_epoch().count());
  return files;
}

// In the next frame the notice opens over the screen it returns to; OK closes it.
void ExpectNotice(const char* firstLine, int32_t returnScene) {
  Frame();
  ASSERT_EQ(GameState.SceneState, SceneMessageBox);
  EXPECT_EQ(GameState.MessageBox.returnScene, returnScene);
  EXPECT_EQ(Text(GameState.MessageBox.line1), firstLine);
  EXPECT_TRUE(Shown(GameState.MessageBox.window) && Shown(GameState.MessageBox.okButton));
  Tap(kBoxOk, 2);
  EXPECT_EQ(GameState.SceneState, returnScene);
}

// Boots and loads; the menu has faded in and has its first frame next.
void ReachMenuOnce() {
  Boot();
  FinishLoading();
  Frame();
  ASSERT_EQ(GameState.SceneState, SceneMainMenu);
}

}  // namespace

class SaveFailuresTest : public GameTest {};

TEST_F(SaveFailuresTest, ASecondCopyOnTheFolderSaysSoAndNeverWrites) {
  WriteUserFiles("117");  // a repair that only the first copy may write
  const pid_t first = fork();
  if (first == 0) {
    UserFolderClaim();
    pause();
  }
  // Until the system lists the first copy's lock on the lock file ("... 08:01:<inode> ...").
  struct stat lock;
  while (stat("Data/User/VelMora.lock", &lock) != 0 ||
         ReadFile("/proc/locks").find(":" + std::to_string(lock.st_ino) + " ") == std::string::npos)
    usleep(1000);
  const auto before = Snapshot();
  ReachMenuOnce();
  ExpectNotice("Vel Mora is open elsewhere too.", SceneMainMenu);
  Tap(kOptionsButton, 8);
  Tap(kSound, 2);
  EXPECT_EQ(GameState.SceneState, SceneOptions) << "told once a session";
  EXPECT_EQ(GameState.soundOn, 0) << "the setting still works for this session";
  EXPECT_EQ(Snapshot(), before);
  kill(first, SIGKILL);
  waitpid(first, nullptr, 0);
}

TEST_F(SaveFailuresTest, AFullDiskIsToldWhenASettingCannotBeSavedAndTheOldFilesStay) {
  ASSERT_EQ(mount("tmpfs", "Data/User", "tmpfs", 0, "size=64k"), 0) << "run as root";
  struct Unmount {
    ~Unmount() { umount2("Data/User", MNT_DETACH); }
  } unmount;
  WriteUserFiles("110");
  WriteFile("Data/User/VelMora.lock", "");
  WriteFile("Data/User/filler", std::string(1 << 20, 'x'));  // cut short where the disk is full
  ReachMenu();
  Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "nothing failed yet";
  Tap(kOptionsButton, 8);
  PushTap(kSound[0], kSound[1]);
  ExpectNotice("Your progress and settings", SceneOptions);
  EXPECT_EQ(ReadFile(kOptions), "110");
  EXPECT_EQ(ReadFile(kSave), kProgress);
  EXPECT_FALSE(fs::exists(std::string(kOptions) + ".new"));
}

// A read-only folder and files, played by an ordinary user (root writes wherever it likes): the
// files and the levels are read, nothing is written; then no folder.
TEST_F(SaveFailuresTest, AReadOnlyOrMissingFolderIsToldAtTheMenu) {
  WriteUserFiles("110");
  for (const char* path : {kSave, kOptions, kCalibration}) fs::permissions(path, fs::perms(0444));
  fs::permissions(".", fs::perms(0755));
  ASSERT_TRUE(FirstSession([] {
    Boot();  // the display is opened as root; the files are the player's business
    ASSERT_TRUE(setgid(65534) == 0 && setuid(65534) == 0);
    FinishLoading();
    Frame();
    ExpectNotice("Your progress and settings", SceneMainMenu);
    EXPECT_EQ(GameState.credits, 789);
    Tap(kStart, 3);
    EXPECT_EQ(GameState.SceneState, SceneInterLevel) << "the level file is read";
  }));
  EXPECT_EQ(ReadFile(kSave), kProgress);
  fs::remove_all("Data/User");
  ReachMenuOnce();
  ExpectNotice("Your progress and settings", SceneMainMenu);
}

// A pipe, a folder or a device where a user file belongs is moved aside, without waiting on it.
TEST_F(SaveFailuresTest, APipeWhereTheSaveBelongsDoesNotHoldUpTheStart) {
  ASSERT_EQ(mkfifo(kSave, 0644), 0);
  fs::create_directory(kOptions);
  fs::create_symlink("/dev/zero", kCalibration);
  alarm(30);  // a start that waits on the pipe ends the test here
  ReachMenu();
  alarm(0);
  EXPECT_TRUE(fs::is_fifo(std::string(kSave) + ".damaged") && fs::is_directory(std::string(kOptions) + ".damaged") &&
              fs::is_symlink(std::string(kCalibration) + ".damaged"));
  EXPECT_EQ(ReadFile(kSave) + ReadFile(kOptions) + ReadFile(kCalibration),
            Record("Vel mora >>1;1;1;1;1;5000<<") + "110" + Record("0;0;"));
  Frame();
  EXPECT_EQ(GameState.SceneState, SceneMainMenu) << "a pipe set aside is no failure";
}
