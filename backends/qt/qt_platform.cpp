#include "backends/qt/qt_platform.h"

#include <QPixmap>
#include <QtDebug>

#include "backends/qt/list_dialog.h"
#include "backends/qt/picture_files.h"
#include "backends/qt/twips.h"
#include "backends/qt/yes_no_dialog.h"

namespace velmora::qt {

namespace {

void ShowPictureIn(QLabel* label, const QImage& picture) {
    if (picture.isNull()) {
        label->clear();
    } else {
        label->setPixmap(QPixmap::fromImage(picture));
    }
}

}  // namespace

QtPlatform::QtPlatform(MainWindow& window, Files& files, LoopingSound& sound)
    : window_(window), files_(files), sound_(sound) {}

QtPlatform::~QtPlatform() {
    delete picture_;
}

// A picture the game cannot show is said in the window too, once: a player
// who started the game from the desktop never reads its log.
QImage QtPlatform::Picture(const std::string& file) const {
    std::string refused;
    QImage picture = LoadPicture(files_, file, &refused);
    if (!refused.empty() && notices_ && refusedSaid_.insert(refused).second) notices_(refused);
    return picture;
}

void QtPlatform::SetMessageCaption(const std::string& text) {
    window_.message()->SetMessage(QString::fromStdString(text));
}

Twips QtPlatform::MainWindowPosition() {
    return ToTwips(window_.GamePosition());
}

void QtPlatform::ShowScene(const NamedPicture& scene) {
    lighting_.ShowScene(scene.file);
    window_.scene()->Show(Picture(scene.file), LitPicture(scene.file), lighting_.light());
    window_.scene()->setAccessibleName(QString::fromStdString(scene.words));
}

void QtPlatform::ClearScene() {
    lighting_.ShowScene("");
    window_.scene()->Clear();
    window_.scene()->setAccessibleName(kClearedSceneWords);
}

void QtPlatform::ShowPreparedPortrait(const NamedPicture& prepared) {
    window_.scene()->ShowLayer(Picture(prepared.file));
    window_.scene()->layer()->setAccessibleName(QString::fromStdString(prepared.words));
}

// Out of view, the character is no longer read out either.
void QtPlatform::HidePortraitLayer() {
    window_.scene()->HideLayer();
    window_.scene()->layer()->setAccessibleName(QString());
}

// A character painted in belongs to the scene: read after it (「公園、久美」).
void QtPlatform::PaintPortraitIntoScene(const NamedPicture& portrait) {
    ScenePicture* scene = window_.scene();
    scene->PaintPortrait(Picture(portrait.file));
    scene->setAccessibleName(scene->accessibleName() + "、" +
                             QString::fromStdString(portrait.words));
}

void QtPlatform::ShowSidePicture(const NamedPicture& side) {
    ShowPictureIn(window_.side(), Picture(side.file));
    window_.side()->setAccessibleName(QString::fromStdString(side.words));
}

void QtPlatform::ShowClock(const ClockFace& face) {
    if (!face.datePicture.empty()) window_.date()->Show(Picture(face.datePicture));
    window_.ShowTime(QString::fromStdString(face.timeText));
    window_.place()->Show(Picture(face.placePicture));
    window_.ReadPlatesAs(QString::fromStdString(face.dateWords),
                         QString::fromStdString(face.timeWords),
                         QString::fromStdString(face.placeWords));
    if (lighting_.ShowClock(face)) window_.scene()->Relight(lighting_.light());
}

void QtPlatform::ShowDesignPictures() {
    lighting_.ShowScene("");
    window_.ShowDesignPictures();
}

void QtPlatform::WaitNext(Twips at) {
    // The NEXT of the picture window belongs to that window, so it stays above it.
    QWidget* owner = picture_ && picture_->isVisible() ? static_cast<QWidget*>(picture_.data())
                                                       : static_cast<QWidget*>(&window_);
    if (!next_) next_ = new NextDialog(owner);
    if (next_->parentWidget() != owner) next_->setParent(owner, next_->windowFlags());
    next_->Wait(at);
    WaitEnded();
}

YesNo QtPlatform::AskYesNo(Twips at) {
    YesNoDialog dialog(&window_);
    const YesNo answer = dialog.Ask(at);
    WaitEnded();
    return answer;
}

void QtPlatform::OpenNameDialog() {
    if (!name_) name_ = new NameDialog(&window_);
    name_->Open();
}

NameEntry QtPlatform::WaitNameDialog() {
    OpenNameDialog();
    NameEntry entry = name_->WaitOk();
    WaitEnded();
    return entry;
}

void QtPlatform::CloseNameDialog() {
    if (name_) name_->hide();
}

std::optional<std::string> QtPlatform::ChooseFromList(ListOf list,
                                                      const std::vector<std::string>& entries,
                                                      Twips at) {
    const std::vector<std::string> described = describeSlots_ && list == ListOf::kSlots
                                                   ? describeSlots_(entries)
                                                   : std::vector<std::string>{};
    ListDialog dialog(&window_, entries, described);
    SlotDetailsPanel details(&dialog, described);
    std::optional<std::string> chosen = dialog.Choose(at);
    WaitEnded();
    return chosen;
}

std::optional<std::string> QtPlatform::ChooseCommand(const std::vector<MenuRow>& rows) {
    // The game's table of commands stays the same all game; a menu is laid
    // out again only for another.
    if (menu_ && menu_->rows() != rows) delete menu_;
    if (!menu_) menu_ = new CommandMenu(&window_, rows);
    std::optional<std::string> chosen = menu_->Choose();
    WaitEnded();
    return chosen;
}

void QtPlatform::WaitPictureClick(const NamedPicture& picture) {
    delete picture_;
    picture_ =
        new PictureWindow(&window_, Picture(picture.file), QString::fromStdString(picture.words));
    picture_->WaitClick();
    WaitEnded();
}

void QtPlatform::ClosePictureWindow() {
    // The NEXT dialog it owned must outlive it.
    if (next_ && next_->parentWidget() == picture_)
        next_->setParent(&window_, next_->windowFlags());
    delete picture_;
}

void QtPlatform::WaitEnded() const {
    window_.message()->Restoring(false);
    if (afterWait_) afterWait_();
}

void QtPlatform::CloseAll() {
    sound_.Stop();
    for (QWidget* each :
         {static_cast<QWidget*>(next_.data()), static_cast<QWidget*>(name_.data()),
          static_cast<QWidget*>(menu_.data()), static_cast<QWidget*>(picture_.data())}) {
        if (each) each->hide();
    }
    window_.hide();
}

}  // namespace velmora::qt
