#include "platform/window/unit_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <cstdlib>
#include <iostream>

#include "platform/audio/sound_module.h"
#include "platform/qt/fonts.h"
#include "platform/window/accessibility.h"
#include "platform/window/app_identity.h"
#include "rules/check/reload_report.h"
#include "rules/contracts/app_error.h"
#include "rules/contracts/error_report.h"
#include "rules/story/game_texts.h"
#include "rules/story/story_reload.h"

namespace game {
namespace {

constexpr int kClientWidth = 500;
constexpr int kClientHeight = 300;

QPushButton* MakeButton(QWidget* parent, const QString& caption, int y) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(416, y, 73, 25);
  button->setFont(GothicFont(12, true));
  return button;
}

}  // namespace

TFormMain::TFormMain(GameApplication& app, const GameOptions& options, PreviewOptions preview)
    : QWidget(nullptr),
      app_(app),
      speaker_([this] { return MakeSoundFromModule(SoundModuleBesideProgram(), files_); }),
      preview_(std::move(preview)) {
  if (options.low_power) time_.SetMessageWait(&rest_);
  InstallAccessibility();
  BuildLayout();
  RunReported(app_, [this] { FormCreate(); });
  RunReported(app_, [this] { StartAtWarp(); });
  ExposePage(true);
  if (preview_.watch) {
    std::vector<std::string> frames;
    for (int i = 0; i < UnitBmp::kFrameCount; ++i) frames.push_back(story_files::FramePath(i));
    watch_ = std::make_unique<StoryWatch>(
        "dat", UnitStory::kStoryPath, std::move(frames),
        [this](StoryWatch::Changes changes) { RunReported(app_, [&] { ReloadSaved(changes); }); });
  }
}

TFormMain::~TFormMain() {
  RunReported(app_, [this] { FormDestroy(); });
}

void TFormMain::BuildLayout() {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(kGameTitle);
  setWindowIcon(GameIcon());
  setFont(GothicFont(12, false));
  setFixedSize(800, 359);

  PageMain = new QWidget(this);
  PageMain->setGeometry(8, 8, 633, 329);
  PageMain->setAutoFillBackground(true);
  QPalette money_green = PageMain->palette();
  money_green.setColor(QPalette::Window, QColor(192, 220, 192));
  PageMain->setPalette(money_green);
  PageMain->hide();

  PntMain = new PaintBox(PageMain);
  PntMain->setGeometry(0, 0, kClientWidth, kClientHeight);
  bmp_.emplace(random_, story_, *PntMain, files_);
  miss_notice_ = new SpokenNotice(PageMain, QRect(416, 264, 73, 25));
  BtnMain = MakeButton(PageMain, QString::fromUtf8(kNextButtonCaption), 232);
  BtnLX = MakeButton(PageMain, QString::fromUtf8(kSpecialButtonFirstCaption), 264);
  setTabOrder(BtnMain, BtnLX);
  // The page goes to assistive technology after the press, even one that an error abandoned
  // half-way. Next always brings a new page, even one that reads like the last; the special move
  // changes the page only when it answers a trap.
  connect(BtnMain, &QPushButton::clicked, this, [this] {
    RunReported(app_, [this] { BtnMainClick(); });
    ExposePage(true);
  });
  connect(BtnLX, &QPushButton::clicked, this, [this] {
    RunReported(app_, [this] { BtnLXClick(); });
    ExposePage(false);
  });
  // The only sounds are the special move's: the audio device opens in the background while the
  // pointer comes to its button, the button takes the focus or goes down, so the sound is ready by
  // the press.
  connect(BtnLX, &QPushButton::pressed, this, [this] { speaker_.Prepare(); });
  BtnLX->installEventFilter(this);
}

void TFormMain::FormCreate() {
  random_.SeedFromTimeOfDay();
  setFixedSize(kClientWidth, kClientHeight);
  CentreOnScreen();
  time_.StartClock(*this);
  wave_.SoundInit();
  time_.SetTimerSlot(0, 50, [this] { bmp_->RenderFrame(); });
  PlacePage(PageMain, true);
  bmp_->InitGraphics();
  UpdateSpecialButton();
  story_.LoadStory();
}

void TFormMain::FormDestroy() {
  bmp_->FreeGraphics();
  wave_.SoundDone();
}

void TFormMain::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect outer = frameGeometry();
  // Integer division truncates toward zero, like the screen arithmetic it mirrors.
  move((screen->geometry().width() - outer.width()) / 2,
       (screen->geometry().height() - outer.height()) / 2);
}

void TFormMain::CentreOnceFramed() {
  // The window manager's frame is known only once the window is shown: centre the outer window
  // again when its frame first shows up.
  if (framed_ || !isVisible() || frameGeometry().size() == size()) return;
  framed_ = true;
  CentreOnScreen();
}

void TFormMain::PlacePage(QWidget* page, bool visible) {
  page->setGeometry(0, 0, kClientWidth, kClientHeight);
  page->setVisible(visible);
}

void TFormMain::BtnMainClick() { story_.StepStory(); }

void TFormMain::BtnLXClick() {
  special_.Spend();
  UpdateSpecialButton();
  // A miss changes nothing on the screen but the count: a screen reader hears it from the notice.
  // An answered trap is heard by its new page.
  if (!story_.TrapResponse(wave_, bmp_->PortraitIndex())) {
    miss_notice_->Announce(QString::fromStdString(MissAnnouncement(special_.SpecialCount())));
  }
}

void TFormMain::UpdateSpecialButton() {
  if (!special_.Visible()) {
    BtnLX->hide();
    return;
  }
  BtnLX->setText(QString::fromStdString(SpecialButtonCaption(special_, decoder_)));
  BtnLX->setAccessibleName(QString::fromStdString(SpecialButtonName(special_.SpecialCount())));
}

void TFormMain::ExposePage(bool even_if_unchanged) {
  // What the picture draws of each line, measured on the canvas it is drawn on.
  const QString page = QString::fromStdString(ReadablePage(
      story_.PageLines(), story_.PageLineCount(), decoder_, [this](std::string_view line) {
        return bmp_->BackBuffer().VisibleHead(UnitBmp::kTextX, line);
      }));
  if (even_if_unchanged || page != PntMain->PageText()) PntMain->SetPageText(page);
}

void TFormMain::PostPrivateMessage(int message) {
  QCoreApplication::postEvent(this, new QEvent(static_cast<QEvent::Type>(message)));
}

void TFormMain::FinishStartup() { gate_.Finish(*this, kClockStartMessage); }

bool TFormMain::event(QEvent* event) {
  if (event->type() == QEvent::Move) CentreOnceFramed();
  // The native window exists once the window shows: watch it for being exposed.
  if (event->type() == QEvent::Show && windowHandle() != nullptr) {
    windowHandle()->installEventFilter(this);
  }
  if (event->type() != static_cast<QEvent::Type>(kClockStartMessage)) return QWidget::event(event);
  if (gate_.Arrived()) RunClockReported();
  return true;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == BtnLX && (event->type() == QEvent::Enter || event->type() == QEvent::FocusIn)) {
    speaker_.Prepare();
  }
  if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
    windowHandle()->removeEventFilter(this);
    FinishStartup();
  }
  return QWidget::eventFilter(watched, event);
}

void TFormMain::RunClockReported() {
  // An error from a clock callback ends the loop and is shown once; the picture then stops while
  // the buttons and the window's close button still work.
  RunReported(app_, [this] { time_.RunClock(); });
}

void TFormMain::StartAtWarp() {
  if (!preview_.warp || preview_.warp->entry >= script_.ScriptCount()) return;
  script_.SetScriptCursor(preview_.warp->entry);
  story_.RestoreFlags(preview_.warp->flags);
}

void TFormMain::ReloadSaved(StoryWatch::Changes changes) {
  if (changes.story) ReloadStory();
  if (changes.frames) ReloadFrames();
}

void TFormMain::ReloadStory() {
  const std::string path = UnitStory::kStoryPath;
  try {
    ReloadScript(script_, files_, path);
  } catch (const AppError& error) {
    std::cerr << "luxarim: " << path << " does not load: " << ReportText(error.what())
              << " The story read before goes on." << std::endl;
    return;
  }
  const check::Language language = check::LanguageFromEnvironment(
      std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  std::cerr << check::ReloadReport(script_, path, decoder_, language) << std::flush;
}

void TFormMain::ReloadFrames() {
  try {
    bmp_->InitGraphics();
    std::cerr << "luxarim: the frames read anew" << std::endl;
  } catch (const AppError& error) {
    int failed = 0;
    while (failed < UnitBmp::kFrameCount && bmp_->FrameLoaded(failed)) ++failed;
    std::cerr << "luxarim: " << story_files::FramePath(failed)
              << " does not load: " << ReportText(error.what())
              << " It and the frames after it are drawn blank until they load." << std::endl;
  }
}

void TFormMain::closeEvent(QCloseEvent* event) {
  app_.RequestTermination();
  event->accept();
}

}  // namespace game
