#include "qt/AnimationExportDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "platform/PngSeries.h"
#include "qt/CommandLine.h"

namespace zw {

namespace {

QString valueText(std::complex<double> value) {
    return QString::fromStdString(AnimationPlan::format(value));
}

}  // namespace

AnimationExportDialog::AnimationExportDialog(const std::vector<Choice>& choices, QSize size,
                                             QWidget* parent)
    : QDialog(parent), choices_(choices) {
    setWindowTitle(tr("Export Animation"));
    name_ = new QComboBox(this);
    name_->setObjectName(QStringLiteral("parameter"));
    for (const Choice& choice : choices_) {
        name_->addItem(QString::fromStdString(choice.name));
    }
    from_ = new QLineEdit(this);
    from_->setObjectName(QStringLiteral("from"));
    to_ = new QLineEdit(this);
    to_->setObjectName(QStringLiteral("to"));
    frames_ = new QSpinBox(this);
    frames_->setObjectName(QStringLiteral("frames"));
    frames_->setRange(1, AnimationPlan::kMaxFrames);
    frames_->setValue(AnimationPlan::kDefaultFrames);
    fps_ = new QLineEdit(QString::number(AnimationPlan::kDefaultFps), this);
    fps_->setObjectName(QStringLiteral("fps"));
    width_ = new QSpinBox(this);
    width_->setObjectName(QStringLiteral("width"));
    height_ = new QSpinBox(this);
    height_->setObjectName(QStringLiteral("height"));
    for (QSpinBox* side : {width_, height_}) {
        side->setRange(16, CommandLine::kMaxSide);
    }
    width_->setValue(std::clamp(size.width(), 16, CommandLine::kMaxSide));
    height_->setValue(std::clamp(size.height(), 16, CommandLine::kMaxSide));
    planes_ = new QComboBox(this);
    planes_->setObjectName(QStringLiteral("planes"));
    planes_->addItem(tr("Both planes, side by side"),
                     static_cast<int>(PictureExporter::Planes::Both));
    planes_->addItem(tr("Domain (z) only"), static_cast<int>(PictureExporter::Planes::Domain));
    planes_->addItem(tr("Range (w) only"), static_cast<int>(PictureExporter::Planes::Range));
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("format"));
    format_->addItem(tr("Animated GIF (256 colours a frame)"),
                     static_cast<int>(AnimationWriter::Format::Gif));
    format_->addItem(tr("Animated WebP (lossless)"),
                     static_cast<int>(AnimationWriter::Format::Webp));
    format_->addItem(tr("Numbered PNG series"),
                     static_cast<int>(AnimationWriter::Format::PngSeries));
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AnimationExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QComboBox::currentIndexChanged, this, &AnimationExportDialog::nameChosen);

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel(QStringLiteral("\u00d7"), this));
    sizeRow->addWidget(height_);
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("Parameter:"), name_);
    layout->addRow(tr("From:"), from_);
    layout->addRow(tr("To:"), to_);
    layout->addRow(tr("Frames:"), frames_);
    layout->addRow(tr("Frames per second:"), fps_);
    layout->addRow(tr("Size:"), sizeRow);
    layout->addRow(tr("Show:"), planes_);
    layout->addRow(tr("Format:"), format_);
    layout->addRow(problem_);
    layout->addRow(buttons);
    nameChosen();
}

void AnimationExportDialog::nameChosen() {
    const int i = name_->currentIndex();
    if (i < 0 || i >= static_cast<int>(choices_.size())) {
        return;
    }
    from_->setText(valueText(choices_[static_cast<std::size_t>(i)].from));
    to_->setText(valueText(choices_[static_cast<std::size_t>(i)].to));
}

bool AnimationExportDialog::read(AnimationExport::Settings& settings, QString& why) const {
    AnimationPlan& plan = settings.plan;
    plan.name = name_->currentText().toStdString();
    if (plan.name.empty()) {
        why = tr("f has no parameter to move.");
        return false;
    }
    if (!AnimationPlan::parseValue(from_->text().trimmed().toStdString(), plan.from)) {
        why = tr("From must be a number or x+yi.");
        return false;
    }
    if (!AnimationPlan::parseValue(to_->text().trimmed().toStdString(), plan.to)) {
        why = tr("To must be a number or x+yi.");
        return false;
    }
    if (!AnimationPlan::parseFps(fps_->text().trimmed().toStdString(), plan.fps)) {
        why = tr("Frames per second must be a number from 0.1 to 100.");
        return false;
    }
    plan.frames = frames_->value();
    settings.size = QSize(width_->value(), height_->value());
    settings.planes = static_cast<PictureExporter::Planes>(planes_->currentData().toInt());
    settings.format = static_cast<AnimationWriter::Format>(format_->currentData().toInt());
    return true;
}

AnimationExport::Settings AnimationExportDialog::settings() const {
    AnimationExport::Settings settings;
    QString ignored;
    read(settings, ignored);
    return settings;
}

void AnimationExportDialog::accept() {
    AnimationExport::Settings settings;
    QString why;
    if (!read(settings, why)) {
        problem_->setText(why);
        return;
    }
    problem_->clear();
    QDialog::accept();
}

QString AnimationExportDialog::filter() const {
    switch (static_cast<AnimationWriter::Format>(format_->currentData().toInt())) {
        case AnimationWriter::Format::Gif:
            return tr("Animated GIF (*.gif)");
        case AnimationWriter::Format::Webp:
            return tr("Animated WebP (*.webp)");
        case AnimationWriter::Format::PngSeries:
            break;
    }
    return tr("PNG series (*.png)");
}

QString AnimationExportDialog::suffix() const {
    switch (static_cast<AnimationWriter::Format>(format_->currentData().toInt())) {
        case AnimationWriter::Format::Gif:
            return QStringLiteral("gif");
        case AnimationWriter::Format::Webp:
            return QStringLiteral("webp");
        case AnimationWriter::Format::PngSeries:
            break;
    }
    return QStringLiteral("png");
}

QString AnimationExportDialog::outputName(const QString& chosen, AnimationWriter::Format format) {
    if (format != AnimationWriter::Format::PngSeries ||
        PngSeries::isPattern(chosen.toStdString())) {
        return chosen;
    }
    // A '%' of the name's own is doubled, so that it is not read as the number's place.
    QString name = chosen;
    name.replace(QStringLiteral("%"), QStringLiteral("%%"));
    if (name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        name.chop(4);
    }
    return name + QStringLiteral("-%03d.png");
}

}  // namespace zw
