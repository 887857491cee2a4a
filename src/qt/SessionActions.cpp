#include "qt/SessionActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStringList>

#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "engine/Catalogue.h"
#include "engine/Transformations.h"
#include "platform/Alerts.h"
#include "qt/AnimationActions.h"
#include "qt/AtomicFile.h"
#include "qt/CommandLine.h"
#include "qt/ExportDialog.h"
#include "qt/MainWindow.h"
#include "qt/MenuBuilder.h"
#include "qt/ParameterDialog.h"
#include "qt/PlaneWidget.h"
#include "qt/WindowPreferences.h"
#include "views/DomainView.h"
#include "views/RangeView.h"

namespace zw {

namespace {

QString sessionFilter() {
    return QCoreApplication::translate("zw::SessionActions", "zwmap sessions (*.zwmap)");
}

// The shortest text that reads back to the same single-precision number, in the C locale.
QString coefficientText(float v) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

void tell(const char* title, const QString& message) {
    runAlertPanel(title, message.toStdString(), "OK", "", "");
}

// The settings key of the recent sessions' paths, newest first.
const QString kRecentKey = QStringLiteral("recentSessions");

QString nameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

}  // namespace

SessionActions::SessionActions(MainWindow* window, const MenuBuilder& menus)
    : QObject(window),
      window_(window),
      document_(window->controller()),
      recentMenu_(menus.menu(command::kOpenRecent)),
      clearRecent_(menus.action(command::kClearRecent)) {
    connect(menus.action(command::kNew), &QAction::triggered, this, &SessionActions::startNew);
    connect(clearRecent_, &QAction::triggered, this, &SessionActions::clearRecent);
    std::vector<std::string> kept;
    for (const QString& path : QSettings().value(kRecentKey).toStringList()) {
        kept.push_back(path.toStdString());
    }
    recent_ = RecentFiles(kept);
    rebuildRecentMenu();
    connect(menus.action(command::kOpen), &QAction::triggered, this, &SessionActions::open);
    connect(menus.action(command::kSave), &QAction::triggered, this, &SessionActions::save);
    connect(menus.action(command::kSaveAs), &QAction::triggered, this, &SessionActions::saveAs);
    connect(menus.action(command::kExportPicture), &QAction::triggered, this,
            &SessionActions::exportPictureAs);
    new AnimationActions(window, menus);

    // The marker follows the paths: after every event a pane handles and every menu action.
    for (PlaneWidget* pane : {window->domainPane(), window->rangePane()}) {
        connect(pane, &PlaneWidget::eventHandled, this, &SessionActions::refreshTitle);
    }
    connect(window, &MainWindow::actionHandled, this, &SessionActions::refreshTitle);
}

void SessionActions::refreshTitle() {
    const bool modified = document_.isModified();
    if (document_.path().empty()) {
        // An untouched window keeps its plain name.
        window_->setWindowTitle(modified ? QStringLiteral("zwmap[*]") : QStringLiteral("zwmap"));
    } else {
        window_->setWindowTitle(QString::fromStdString(document_.displayName()) +
                                QStringLiteral("[*] - zwmap"));
    }
    window_->setWindowModified(modified);
    emit titleRefreshed();
}

bool SessionActions::openFile(const QString& path) {
    std::string error;
    if (!document_.open(path.toStdString(), error)) {
        tell(QT_TRANSLATE_NOOP("zw::Alerts", "The session could not be opened."),
             QString::fromStdString(error));
        return false;
    }
    window_->sessionApplied();
    showCoefficients();
    refreshTitle();
    remember(path);
    return true;
}

bool SessionActions::openRecovered(const QString& copy, const QString& path) {
    std::string error;
    if (!document_.openRecovered(copy.toStdString(), path.toStdString(), error)) {
        tell(QT_TRANSLATE_NOOP("zw::Alerts", "The unsaved work could not be restored."),
             QString::fromStdString(error));
        return false;
    }
    window_->sessionApplied();
    showCoefficients();
    refreshTitle();
    return true;
}

void SessionActions::remember(const QString& path) {
    recent_.add(QFileInfo(path).absoluteFilePath().toStdString());
    storeRecent();
}

void SessionActions::storeRecent() {
    QStringList paths;
    for (const std::string& path : recent_.paths()) {
        paths << QString::fromStdString(path);
    }
    QSettings().setValue(kRecentKey, paths);
    rebuildRecentMenu();
}

void SessionActions::rebuildRecentMenu() {
    qDeleteAll(recentItems_);
    recentItems_.clear();
    for (const std::string& path : recent_.paths()) {
        const QString full = QString::fromStdString(path);
        // A file's own ampersand is no mnemonic.
        QString title = nameOf(path);
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* item = new QAction(title, recentMenu_);
        item->setStatusTip(full);
        connect(item, &QAction::triggered, this, [this, full] { openRecent(full); });
        recentItems_ << item;
    }
    if (!recentItems_.isEmpty()) {
        auto* line = new QAction(recentMenu_);
        line->setSeparator(true);
        recentItems_ << line;
    }
    recentMenu_->insertActions(clearRecent_, recentItems_);
    recentMenu_->menuAction()->setEnabled(!recent_.empty());
}

void SessionActions::clearRecent() {
    recent_.clear();
    storeRecent();
}

bool SessionActions::openRecent(const QString& path) {
    // Before the question: a file that is gone would make it for nothing.
    const std::vector<std::string> gone = recent_.dropMissing(
        [](const std::string& p) { return QFileInfo::exists(QString::fromStdString(p)); });
    if (!gone.empty()) {
        storeRecent();
    }
    if (!QFileInfo::exists(path)) {
        QString message =
            QCoreApplication::translate("zw::Alerts",
                                        "%1 was moved, renamed or deleted. It is no longer "
                                        "listed in Open Recent.")
                .arg(path);
        if (gone.size() > 1) {
            message += QCoreApplication::translate("zw::Alerts",
                                                   " Nor are %1 other sessions that are gone too.")
                           .arg(gone.size() - 1);
        }
        runAlertPanel(QCoreApplication::translate("zw::Alerts", "\u201c%1\u201d no longer exists.")
                          .arg(QFileInfo(path).fileName())
                          .toStdString(),
                      message.toStdString(), "OK", "", "");
        return false;
    }
    if (!mayClose()) {
        return false;
    }
    return openFile(path);
}

void SessionActions::startNew() {
    if (!mayClose()) {
        return;
    }
    document_.startNew();
    // The options as last chosen, as a window started now would have them.
    window_->preferences()->applyRemembered();
    document_.markUnmodified();
    window_->sessionApplied();
    refreshTitle();
}

void SessionActions::showCoefficients() {
    const ActiveFunction& f = window_->controller()->transformations->activeFunction();
    if (f.kind != ActiveFunction::Kind::UserMap) {
        return;
    }
    ParameterDialog* dialog = f.title == catalogue::kMobiusMap    ? window_->mobiusDialog()
                              : f.title == catalogue::kPolynomial ? window_->polynomialDialog()
                                                                  : window_->affineDialog();
    // The dialog shows the map in use, as it did when the session was saved.
    std::array<QString, ParameterDialog::kFieldCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts[i] = coefficientText(f.coefficients[i]);
    }
    dialog->showCoefficients(texts);
}

bool SessionActions::saveFile(const QString& path) {
    const auto write = [](const std::string& to, const std::string& bytes, std::string& why) {
        QString error;
        if (!AtomicFile::write(QString::fromStdString(to),
                               QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                               error)) {
            why = error.toStdString();
            return false;
        }
        return true;
    };
    std::string error;
    const bool saved = document_.save(path.toStdString(), write, error);
    refreshTitle();
    if (!saved) {
        tell(QT_TRANSLATE_NOOP("zw::Alerts", "The session could not be saved."),
             QString::fromStdString(error));
    } else {
        remember(path);
    }
    return saved;
}

bool SessionActions::exportPicture(const QString& path, PictureExporter::Planes planes, int scale) {
    PlaneWidget::flushAll();
    // Each pixel is drawn in memory first, the shading of an SVG too: a large screen at a large
    // scale could ask for gigabytes.
    const qreal ratio = window_->domainPane()->devicePixelRatioF() * scale;
    const QSize pixels =
        PictureExporter::sizeOf(*window_->domainView(), *window_->rangeView(), planes) * ratio;
    const qint64 most = qint64{CommandLine::kMaxSide} * CommandLine::kMaxSide;
    if (qint64{pixels.width()} * pixels.height() > most) {
        tell(QT_TRANSLATE_NOOP("zw::Alerts", "The picture could not be saved."),
             QCoreApplication::translate(
                 "zw::Alerts",
                 "At %1\u00d7 it would be %2x%3 pixels, more than %4 million: choose a "
                 "smaller scale.")
                 .arg(scale)
                 .arg(pixels.width())
                 .arg(pixels.height())
                 .arg(most / 1'000'000));
        return false;
    }
    QByteArray bytes;
    if (PictureExporter::isSvg(path)) {
        bytes = PictureExporter::svg(*window_->domainView(), *window_->rangeView(), planes, scale);
    } else {
        // The panes' pixels as on the screen, at the screen's pixel ratio, but drawn afresh:
        // the pointer's readout is no part of a picture.
        bytes = PictureExporter::png(
            PictureExporter::render(*window_->domainView(), *window_->rangeView(), planes, ratio));
    }
    QString error;
    if (!AtomicFile::write(path, bytes, error)) {
        tell(QT_TRANSLATE_NOOP("zw::Alerts", "The picture could not be saved."), error);
        return false;
    }
    return true;
}

bool SessionActions::mayClose() {
    switch (document_.askToSave()) {
        case SessionDocument::Choice::Discard:
            return true;
        case SessionDocument::Choice::Save:
            return save();
        case SessionDocument::Choice::Cancel:
            break;
    }
    return false;
}

void SessionActions::open() {
    if (!mayClose()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        window_, QCoreApplication::translate("zw::SessionActions", "Open Session"), QString(),
        sessionFilter());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool SessionActions::save() {
    if (document_.path().empty()) {
        return saveAs();
    }
    return saveFile(QString::fromStdString(document_.path()));
}

bool SessionActions::saveAs() {
    QFileDialog dialog(window_, QCoreApplication::translate("zw::SessionActions", "Save Session"),
                       QString(), sessionFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("zwmap"));
    if (!document_.path().empty()) {
        dialog.selectFile(QString::fromStdString(document_.path()));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    return saveFile(dialog.selectedFiles().front());
}

void SessionActions::exportPictureAs() {
    ExportDialog choice(window_);
    if (choice.exec() != QDialog::Accepted) {
        return;
    }
    const bool svg = choice.svg();
    QFileDialog dialog(
        window_, QCoreApplication::translate("zw::SessionActions", "Export Picture"),
        window_->preferences()->exportFolder(),
        svg ? QCoreApplication::translate("zw::SessionActions", "SVG drawing (*.svg)")
            : QCoreApplication::translate("zw::SessionActions", "PNG image (*.png)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(svg ? QStringLiteral("svg") : QStringLiteral("png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().front();
    if (exportPicture(path, choice.planes(), choice.scale())) {
        window_->preferences()->exportedTo(path);
    }
}

}  // namespace zw
