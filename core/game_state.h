// The one global record that holds the whole game, the shared ids and table capacities.
// Every subsystem reads and writes GameState directly; nothing is allocated after start-up.
#pragma once

#include <cstdint>

#include "core/id_table.h"

class Image;
struct Screen;
struct View;
struct TouchArea;
struct TextView;
struct Font;
struct FileRecord;
struct Mix_Chunk;
struct _SDL_Joystick;
struct SDL_Surface;

typedef int32_t ViewId;   // index into ViewTable; also the drawing order
typedef int32_t ImageId;  // index into ImageTable
typedef int32_t TextId;   // index into TextTable; text is drawn above every view
typedef int32_t TouchAreaId;
typedef int32_t FontId;
typedef int32_t SoundId;
typedef int32_t FileHandle;  // -1 when a file could not be opened

// A touch callback gets the phase and the point; its result is ignored.
typedef int (*TouchCallback)(int phase, int x, int y);
constexpr int kPhasePressed = 1;   // a finger went down on it
constexpr int kPhaseReleased = 3;  // a finger lifted from it (and touch areas on a press)

constexpr int kMaxViews = 500;
constexpr int kMaxImages = 500;
constexpr int kMaxTexts = 500;
constexpr int kMaxTouchAreas = 500;
constexpr int kMaxFiles = 500;
constexpr int kMaxFonts = 10;
constexpr int kMaxSounds = 50;

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// The tilt sensor's reading at full tilt (one g); the steering holds readings beyond it there.
constexpr int32_t kFullTilt = 16000;
// The calibration's reach each way, in steering units: the calibration panel's tracks end there,
// and a stored calibration is held within it.
constexpr int32_t kCalibrationLimit = 1900;

// Milliseconds slept after every frame, and while the game is in the background.
constexpr int32_t kFrameDelay = 33;
constexpr int32_t kInactiveFrameDelay = 100;

// Scene numbers of the per-frame state machine.
enum Scene : int32_t {
  SceneFadeOut = 0,
  SceneMainMenu = 1,
  SceneStartFreePlay = 2,
  ScenePlaying = 3,
  SceneGameOver = 4,
  SceneOptions = 5,
  SceneHelp = 6,
  ScenePaused = 7,
  SceneFadeIn = 8,
  SceneStartMission = 9,
  SceneInterLevel = 10,
  SceneMessageBox = 11,
  SceneBestScores = 12,
  SceneLoading = 999,
};

// What a played frame of the world reports; the game loop decides what follows.
enum RoundOutcomeValue : int32_t {
  RoundGoesOn = 0,
  RoundShipLost = 1,       // the ship's structure is gone
  RoundCargoShipLost = 2,  // a hazard hit the cargo ship of a protect mission
  RoundMissionWon = 3,     // paid, next mission loaded and saved
  RoundCampaignWon = 4,    // the last mission, won
};

// Control methods chosen in the options.
enum ControlMethodValue : int32_t { ControlRightHand = 0, ControlLeftHand = 1, ControlAccelerometer = 4 };

struct FileTableRecord {
  int32_t FileCount;  // handles handed out so far
  FileRecord* files[kMaxFiles];
};

// Marsaglia multiply-with-carry generator: two 16-bit lag-1 streams.
struct RngRecord {
  uint32_t z;
  uint32_t w;
};

struct HazardSlot {
  ViewId view;
  int32_t x, y;
  int32_t size;   // hit size
  int32_t speed;  // pixels per frame, downward
};

constexpr int kAsteroidSlots = 35;
constexpr int kInfectedSlots = 5;

struct AsteroidPoolRecord {
  HazardSlot slots[kAsteroidSlots];
  int32_t next;
  ImageId images[3];
};

struct InfectedPoolRecord {
  HazardSlot slots[kInfectedSlots];
  int32_t next;
  ImageId images[2];
};

struct PickupSlot {
  ViewId view;
  int32_t x, y;
  int32_t speed;
};

constexpr int kPickupSlots = 10;

struct PickupPoolRecord {
  PickupSlot slots[kPickupSlots];
  int32_t next;
};

struct BoltSlot {
  int32_t x, y;
  ViewId view;
};

constexpr int kBoltSlots = 30;

struct BoltPoolRecord {
  BoltSlot slots[kBoltSlots];
  int32_t next;
};

constexpr int kStars = 50;

struct Star {
  int32_t x, y;
  ViewId view;
  int32_t speed;
};

struct StarFieldRecord {
  Star stars[kStars];
};

constexpr int kExplosionSlots = 4;
constexpr int kExplosionFrames = 26;

struct ExplosionSlot {
  ViewId view;
  int32_t frame;
  int32_t x, y;
};

struct ExplosionManagerRecord {
  int32_t frameCount;                        // 27: the step at which a slot's animation ends
  ImageId frameImage[kExplosionFrames + 1];  // [1..26]; index 0 unused
  ExplosionSlot slots[kExplosionSlots];
  int32_t next;
  SoundId sound;
};

// The kinds of campaign mission; a level file names each by a letter (storage/levels.h).
enum MissionKind : int32_t {
  MissionUnknown = 0,  // a level whose kind could not be read: never played
  MissionCollect = 1,  // collect `target` samples of calabrium ore
  MissionDestroy = 2,  // destroy `target` infected asteroids
  MissionProtect = 3,  // keep the cargo ship whole for `target` seconds
  MissionSurvive = 4,  // survive for `target` seconds
};

// One campaign mission, as read from its level file.
struct MissionRecord {
  int32_t asteroidPace;
  int32_t oreRange;
  int32_t infectedRange;
  MissionKind type;
  int32_t target;
  int32_t reward;
  int32_t levelNumber;  // the number of the file that was read
  int32_t nextLevel;    // -1 marks the last mission
  int32_t progress;     // running count towards target
};

// What the shop sells, in the order of its rows.
enum UpgradeKind : int32_t { UpgradeStructure = 0, UpgradeShield = 1, UpgradeHandling = 2, UpgradeWeapons = 3 };
constexpr int kUpgradeKinds = 4;

struct UpgradeRow {
  ViewId icon;
  TextId title;
  TextId levelText;
  ViewId buyButton;
  UpgradeKind kind;
  char shown;  // 1 while the row is on screen
  int32_t cost;
};

struct InterLevelScreenRecord {
  ViewId background;
  ViewId startButton;
  ViewId startButtonOver;
  ViewId backButton;
  ViewId backButtonOver;
  TextId stageText;
  TextId line1Text;
  TextId line2Text;
  TextId rewardText;
  TextId creditsText;
  UpgradeRow rows[4];        // structure, shield, handling, weapons
  ViewId buyButtonOver;      // one pressed picture, moved to the row being pressed
  ViewId campaignHelpImage;  // the labels over the screen's picture
};

// Free play's best rounds, best first, and the sound levels: the player's own file.
constexpr int kBestScores = 10;
constexpr int kVolumeSteps = 4;  // 25, 50, 75 and 100 %; off is the sound or music toggle

struct BestScore {
  int32_t score;
  char date[11];  // "YYYY-MM-DD"
};

struct ProfileRecord {
  int32_t musicLevel, effectsLevel;  // 1..kVolumeSteps: the level while the toggle is on
  int32_t bestCount;
  BestScore best[kBestScores];
  int32_t lastRank;  // where the last free-play round's score went in the table, or -1
};

// The main menu; its background, logo and back button serve the options and help screens too.
struct MenuScreenRecord {
  ViewId menuBackground, logoView;
  ViewId startButton, freePlayButton, optionsButton, helpButton;
  ViewId freePlayButtonOver, startButtonOver, optionsButtonOver, helpButtonOver;
  ViewId backButton, backButtonOver;  // on the options, help and best-scores screens
  ViewId scoresButton, scoresButtonOver;
  ViewId quitButton, quitButtonOver;  // shown on the desktop only
};

struct OptionsScreenRecord {
  ViewId optionsBackground;
  ImageId yesImage, noImage;
  ViewId soundIndicator, musicIndicator;
  ViewId soundToggle, musicToggle, controlButton;
  ViewId accelImage, rightHandImage, leftHandImage, resetButton;
  // The sound levels panel above the options.
  ViewId levelsPanel, musicDown, musicUp, effectsDown, effectsUp, musicMeter, effectsMeter;
  ImageId meterImages[kVolumeSteps + 1];  // off, then each step
};

struct HelpScreenRecord {
  ViewId helpImage;
  ImageId helpTouchImage, helpDesktopImage;  // the help for the device the game runs on
};

struct BestScoresScreenRecord {
  ViewId scoresPanel;
  TextId scoreRows[kBestScores], scoreDates[kBestScores];
};

// The strip at the top of a round.
struct GameButtonsRecord {
  ViewId gameBackButton, pauseButton, scoreBackground, pauseButtonOver, gameBackButtonOver;
  TextId scoreText, progressLabel;
  // The paused round's overlay.
  ViewId pauseDim, pausePanel, resumeButton, resumeButtonOver, leaveButton, leaveButtonOver;
};

// The tilt calibration panel over the options screen.
struct CalibrationPanelRecord {
  ViewId calibrationBackground, calibrationOkButton, calibrationOkOver;
  ViewId xDot, yDot, xMarker, yMarker;
};

struct CargoShipRecord {
  double x, y;
  ViewId view;
  ImageId imageStraight, imageLeft, imageRight;
  int32_t facing;  // 0 moving right, 1 moving left, 2 not moving sideways
  bool active;
  double vx, vy;
  int32_t age;
  int32_t nextTurn;
};

struct MessageBoxRecord {
  int32_t open;
  int32_t returnScene;
  ViewId background;
  ViewId window;
  ViewId okButton;
  ViewId okButtonOver;
  TextId line1, line2, line3;
  int32_t okOnly;
  ViewId cancelButton;
  ViewId cancelButtonOver;
  void (*okAction)();  // what OK does besides closing the box, or null
};

// The player's folder Data/User for this session (storage/user_folder.h).
struct UserFolderRecord {
  int32_t claimed;      // 1 once the folder's lock was tried
  int32_t lockFile;     // the descriptor that holds the lock, or -1
  int32_t writes;       // 1 while this session may write user files
  int32_t problem;      // the session's first failure (UserFolderProblemValue), 0 for none
  int32_t noticeShown;  // 1 once the player was told of it
};

struct GameStateRecord {
  // Accelerometer and steering.
  double SteerX, SteerY;
  double CalibrationOffsetX, CalibrationOffsetY;
  int32_t AccelSensitivity;
  _SDL_Joystick* Accelerometer;

  IdTable<View, kMaxViews> ViewTable;
  IdTable<View, kMaxImages> ImageTable;  // picture sources only: never drawn, never touched
  IdTable<TextView, kMaxTexts> TextTable;
  IdTable<TouchArea, kMaxTouchAreas> TouchAreaTable;
  FileTableRecord FileTable;
  IdTable<Font, kMaxFonts> FontTable;
  IdTable<Mix_Chunk, kMaxSounds> SoundTable;
  RngRecord Rng;
  SDL_Surface* VideoSurface;

  // Centre of the steering control for the current layout.
  int32_t ControlCentreX, ControlCentreY;

  // The scene block.
  int32_t SceneState;
  int32_t PendingScene;
  int32_t FreePlay;
  int32_t MissionAlive;
  int32_t menuFade;
  int32_t GameOverCounter;
  int32_t completionCounter;
  int32_t RoundOutcome;  // RoundOutcomeValue of the frame being played

  // Loading screen.
  ViewId loadingBackground, loadingBarFrame, loadingBar;
  int32_t LoadPhase;
  int32_t LoadStepCounter;
  double LoadProgress;

  // The round's six space pictures, and the screens with their own views.
  ViewId SpaceBackground[6];
  MenuScreenRecord Menu;
  OptionsScreenRecord Options;
  HelpScreenRecord Help;
  BestScoresScreenRecord BestScores;
  GameButtonsRecord GameButtons;

  // Player ship and touch controls.
  ViewId shipView;
  ImageId shipImage, shipLeftImage, shipRightImage;
  int32_t ShipX, ShipY;
  int32_t ShipBank;  // 0 right-banked, 1 left-banked, 2 level
  int32_t controlMethod;
  ViewId controlZone, controlPoint, firePoint, firePointDown;
  int32_t ControlDragging;

  // Laser and heat.
  double LaserHeat;
  int32_t HeatPerShot;
  int32_t CoolInterval;
  ViewId laserBar, overheatBackground, noHeatBackground;
  TouchAreaId fireArea;
  SoundId laserSound;
  ImageId laserBeamImage;

  // Hazards, pickups, bolts and the round.
  AsteroidPoolRecord Asteroids;
  InfectedPoolRecord Infected;
  PickupPoolRecord OrePool, IcePool;
  ImageId OreImage, IceImage;
  BoltPoolRecord BoltPool;
  int32_t RoundFrame;
  int32_t RoundAsteroidPace;
  int32_t InfectedPeriod;
  int32_t OrePeriod;
  int32_t score;

  // Ship structure and shield.
  int32_t Structure;
  double Shield;
  double ShieldRegenAmount;
  int32_t ShieldRegenInterval;
  ViewId StructureBar, ShieldBar;

  // Fonts and sounds loaded at start-up.
  FontId font20, font14;
  SoundId loopSound, mainSound, buttonSound, CalabriumSound;

  // Options.
  int32_t musicOn, soundOn;

  CalibrationPanelRecord Calibration;

  StarFieldRecord StarField;
  ExplosionManagerRecord Explosions;

  // Current mission and campaign progress.
  MissionRecord currentMission;
  int32_t credits;
  int32_t weaponsLevel, shieldLevel, handlingLevel, structureLevel;
  int32_t campaignLevel;
  int32_t calibrationX, calibrationY;

  InterLevelScreenRecord InterLevel;

  // The button the keys or a gamepad act on outside rounds, outlined; -1 while the pointer is used.
  ViewId FocusView;
  // The screen whose enter ran last (null while loading); see Screen in core/scene.h.
  const Screen* CurrentScreen;

  CargoShipRecord CargoShip;
  MessageBoxRecord MessageBox;
  ProfileRecord Profile;

  UserFolderRecord UserFolder;
};

extern GameStateRecord GameState;

extern int32_t running;      // the main loop runs while this is non-zero
extern int32_t resumeScene;  // 3 while play is suspended by focus loss, else -1
extern int32_t frameDelay;   // milliseconds slept after every frame: 33, or 100 while inactive
