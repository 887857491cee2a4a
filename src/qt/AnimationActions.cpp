#include "qt/AnimationActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QProgressDialog>

#include "app/AnimationTarget.h"
#include "app/Commands.h"
#include "platform/Alerts.h"
#include "platform/Translatable.h"
#include "qt/AnimationExportDialog.h"
#include "qt/MainWindow.h"
#include "qt/MenuBuilder.h"
#include "qt/PlaneWidget.h"
#include "session/Session.h"

namespace zw {

AnimationActions::AnimationActions(MainWindow* window, const MenuBuilder& menus)
    : QObject(window), window_(window) {
    connect(menus.action(command::kExportAnimation), &QAction::triggered, this,
            &AnimationActions::exportAnimation);
}

void AnimationActions::exportAnimation() {
    const Workbench& workbench = window_->workbench();
    std::vector<AnimationExportDialog::Choice> choices;
    for (const std::string& name : AnimationTarget::names(workbench)) {
        AnimationExportDialog::Choice choice{name, {}, {}};
        AnimationTarget::rangeOf(workbench, name, choice.from, choice.to);
        choices.push_back(choice);
    }
    if (choices.empty()) {
        runAlertPanel(
            QT_TRANSLATE_NOOP("zw::Alerts", "There is nothing to animate."),
            QT_TRANSLATE_NOOP("zw::Alerts", "f has no parameters and Morph from Identity is off."),
            "OK", "", "");
        return;
    }
    const QSize size = PictureExporter::sizeOf(*window_->domainView(), *window_->rangeView(),
                                               PictureExporter::Planes::Both);
    AnimationExportDialog dialog(choices, size, window_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    AnimationExport::Settings settings = dialog.settings();
    QFileDialog files(window_, tr("Export Animation"), QString(), dialog.filter());
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(dialog.suffix());
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) {
        return;
    }
    settings.out =
        AnimationExportDialog::outputName(files.selectedFiles().front(), settings.format);
    write(settings);
}

bool AnimationActions::write(const AnimationExport::Settings& settings) {
    PlaneWidget::flushAll();
    const Session session = Session::capture(*window_->controller());
    QProgressDialog progress(tr("Writing the frames..."), tr("Cancel"), 0, settings.plan.frames,
                             window_);
    progress.setWindowTitle(tr("Export Animation"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    progress_ = &progress;
    // The frames are drawn by the process's one engine, which keeps the parameters' values:
    // the window's go back afterwards, and its picture with them.
    Workbench& workbench = window_->workbench();
    std::vector<std::pair<std::string, std::complex<double>>> kept;
    for (const std::string& name : AnimationTarget::names(workbench)) {
        kept.emplace_back(name, AnimationTarget::valueOf(workbench, name));
    }
    QString error;
    const AnimationExport::Result result = AnimationExport::run(
        session, settings,
        [&progress](int done, int) {
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        },
        error);
    progress_ = nullptr;
    progress.reset();
    for (const auto& [name, value] : kept) {
        std::string ignored;
        AnimationTarget::setValue(workbench, name, value, ignored);
    }
    PlaneWidget::flushAll();
    if (result == AnimationExport::Result::Failed) {
        runAlertPanel(QT_TRANSLATE_NOOP("zw::Alerts", "The animation could not be saved."),
                      error.toStdString(), "OK", "", "");
    }
    return result == AnimationExport::Result::Done;
}

}  // namespace zw
