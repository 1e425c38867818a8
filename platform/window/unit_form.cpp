#include "platform/window/unit_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <iostream>

#include "platform/audio/sound_module.h"
#include "platform/qt/fonts.h"
#include "platform/window/accessibility.h"
#include "platform/window/app_identity.h"
#include "rules/scene/button_layout.h"
#include "rules/scene/unit_scene.h"

namespace game {
namespace {

constexpr int kClientWidth = UnitScene::kWidth;
constexpr int kClientHeight = UnitScene::kHeight;

QRect BoxRect(const ButtonBox& box) { return QRect(box.x, box.y, box.width, box.height); }

QPushButton* MakeButton(QWidget* parent, const QString& caption, const ButtonBox& box) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(BoxRect(box));
  button->setFont(GothicFont(12, true));
  return button;
}

}  // namespace

TFormMain::TFormMain(GameApplication& app, const GameOptions& options, PreviewOptions preview)
    : QWidget(nullptr),
      app_(app),
      speaker_([this] { return MakeSoundFromModule(SoundModuleBesideProgram(), files_); }),
      preview_(std::move(preview)) {
  if (options.low_power) session_.SetMessageWait(&rest_);
  InstallAccessibility();
  BuildLayout();
  FormCreate();
  if (preview_.warp) session_.StartAt(*preview_.warp);
  if (preview_.watch) {
    watch_ = std::make_unique<StoryWatch>(story_files::kGameFolder, UnitStory::kStoryPath,
                                          story_files::FramePaths(),
                                          [this](SavedChanges changes) { ReloadSaved(changes); });
  }
}

TFormMain::~TFormMain() { FormDestroy(); }

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
  bmp_.emplace(session_.RandomGenerator(), session_.Story(), *PntMain, files_);
  miss_notice_ = new SpokenNotice(PageMain, BoxRect(kSpecialButtonBox));
  BtnMain = MakeButton(PageMain, QString::fromUtf8(kNextButtonCaption), kNextButtonBox);
  BtnLX = MakeButton(PageMain, QString::fromUtf8(kSpecialButtonFirstCaption), kSpecialButtonBox);
  setTabOrder(BtnMain, BtnLX);
  connect(BtnMain, &QPushButton::clicked, this, [this] { BtnMainClick(); });
  connect(BtnLX, &QPushButton::clicked, this, [this] { BtnLXClick(); });
  // The only sounds are the special move's: the audio device opens in the background while the
  // pointer comes to its button, the button takes the focus or goes down, so the sound is ready by
  // the press.
  connect(BtnLX, &QPushButton::pressed, this, [this] { speaker_.Prepare(); });
  BtnLX->installEventFilter(this);
}

void TFormMain::FormCreate() { Show(session_.Start(*bmp_, *this)); }

void TFormMain::FormDestroy() { session_.Destroy(); }

void TFormMain::SizeAndCentre() {
  setFixedSize(kClientWidth, kClientHeight);
  CentreOnScreen();
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

// The page goes to assistive technology after the press, even one that an error abandoned
// half-way. Next always brings a new page, even one that reads like the last; the special move
// changes the page only when it answers a trap, and a miss is said by the notice under the button.
void TFormMain::BtnMainClick() { Show(session_.Next()); }

void TFormMain::BtnLXClick() { Show(session_.Special()); }

void TFormMain::Show(const SessionOutcome& outcome) {
  if (outcome.button) UpdateSpecialButton(*outcome.button);
  if (outcome.miss) miss_notice_->Announce(QString::fromStdString(*outcome.miss));
  if (outcome.page) PntMain->SetPageText(QString::fromStdString(*outcome.page));
}

void TFormMain::UpdateSpecialButton(const SpecialButtonView& button) {
  if (!button.visible) {
    BtnLX->hide();
    return;
  }
  BtnLX->setText(QString::fromStdString(button.caption));
  BtnLX->setAccessibleName(QString::fromStdString(button.name));
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
  // An error from a clock callback ends the loop and is shown once; the picture then stops while
  // the buttons and the window's close button still work.
  if (gate_.Arrived()) session_.RunClock();
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

void TFormMain::ReloadSaved(SavedChanges changes) {
  const ReloadOutcome reload = session_.ReadSaved(changes, LanguageOfThisProcess());
  std::cerr << reload.said << std::flush;
  Show(reload.outcome);
}

void TFormMain::closeEvent(QCloseEvent* event) {
  app_.RequestTermination();
  event->accept();
}

}  // namespace game
