#include "qt/ParametersDock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace zw {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString numberText(double x) {
    return text(Parameters::valueText({x, 0.0}, false));
}

int sliderPosition(double x, double min, double max) {
    const double at = std::round((x - min) / (max - min) * ParametersDock::kSteps);
    return static_cast<int>(
        std::clamp(std::isfinite(at) ? at : 0.0, 0.0, static_cast<double>(ParametersDock::kSteps)));
}

}  // namespace

ParametersDock::ParametersDock(Parameters& parameters, std::function<void()> afterChange,
                               QWidget* parent)
    : QDockWidget(tr("Parameters"), parent),
      parameters_(parameters),
      afterChange_(std::move(afterChange)),
      frames_(parameters, [this](std::function<void()> frame) { schedule(std::move(frame)); }),
      body_(new QWidget(this)),
      rowsLayout_(new QVBoxLayout(body_)),
      empty_(new QLabel(tr("f has no parameters. Type a formula with free names, such as "
                           "z^2 + a, or turn on Function > Morph from Identity."),
                        body_)) {
    setObjectName(QStringLiteral("parameters"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    empty_->setWordWrap(true);
    rowsLayout_->addWidget(empty_);
    rowsLayout_->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    // A scroll area takes the focus; without a name a screen reader announces nothing.
    scroll->setAccessibleName(tr("Parameters"));
    scroll->setWidget(body_);
    setWidget(scroll);
    playTimer_.setInterval(kPlayInterval);
    connect(&playTimer_, &QTimer::timeout, this, &ParametersDock::playTick);
}

void ParametersDock::schedule(std::function<void()> frame) {
    // Behind the events already queued: the newest slider value is taken when this runs.
    QTimer::singleShot(0, this, [this, frame = std::move(frame)] {
        frame();
        changed();
    });
}

void ParametersDock::changed() {
    if (afterChange_) {
        afterChange_();
    }
}

const ParametersDock::Row* ParametersDock::row(const QString& name) const {
    const std::string wanted = name.toStdString();
    for (const Row& r : rows_) {
        if (r.name == wanted) {
            return &r;
        }
    }
    return nullptr;
}

ParametersDock::Row* ParametersDock::row(const std::string& name) {
    for (Row& r : rows_) {
        if (r.name == name) {
            return &r;
        }
    }
    return nullptr;
}

QSlider* ParametersDock::slider(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->re : nullptr;
}
QSlider* ParametersDock::imaginarySlider(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->im : nullptr;
}
QLineEdit* ParametersDock::valueField(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->value : nullptr;
}
QLineEdit* ParametersDock::minField(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->min : nullptr;
}
QLineEdit* ParametersDock::maxField(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->max : nullptr;
}
QCheckBox* ParametersDock::complexBox(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->complexBox : nullptr;
}
QToolButton* ParametersDock::playButton(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->play : nullptr;
}
QComboBox* ParametersDock::modeBox(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->mode : nullptr;
}
QDoubleSpinBox* ParametersDock::speedBox(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->speed : nullptr;
}

QLabel* ParametersDock::message(const QString& name) const {
    const Row* r = row(name);
    return r != nullptr ? r->message : nullptr;
}

void ParametersDock::refresh() {
    const std::vector<ParameterInfo> list = parameters_.parameters();
    bool same = list.size() == rows_.size();
    for (std::size_t i = 0; same && i < list.size(); ++i) {
        same = list[i].name == rows_[i].name && list[i].complex == rows_[i].complex;
    }
    if (!same) {
        const bool hadNone = rows_.empty();
        if (!playing_.empty() && row(playing_) != nullptr &&
            std::none_of(list.begin(), list.end(),
                         [this](const ParameterInfo& p) { return p.name == playing_; })) {
            playTimer_.stop();
            playing_.clear();
        }
        buildRows(list);
        if (hadNone && !list.empty()) {
            QDockWidget::show();
            // Narrow, so that the planes keep most of the window.
            if (auto* window = qobject_cast<QMainWindow*>(parentWidget())) {
                const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
                window->resizeDocks({this}, {body_->sizeHint().width() + scrollBar + 8},
                                    Qt::Horizontal);
            }
        } else if (list.empty()) {
            hide();
        }
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        showRow(rows_[i], list[i]);
    }
}

void ParametersDock::buildRows(const std::vector<ParameterInfo>& list) {
    for (Row& r : rows_) {
        r.widget->deleteLater();
        r.widget->hide();
    }
    rows_.clear();
    rows_.resize(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        rows_[i].name = list[i].name;
        rows_[i].complex = list[i].complex;
        // Before the stretch at the end.
        rowsLayout_->insertWidget(static_cast<int>(i) + 1, makeRow(rows_[i]));
    }
    empty_->setVisible(list.empty());
}

QWidget* ParametersDock::makeRow(Row& r) {
    auto* frame = new QFrame(body_);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setObjectName(QStringLiteral("parameter.") + text(r.name));
    auto* grid = new QGridLayout(frame);
    const std::string name = r.name;
    const auto numberField = [frame](int chars) {
        auto* field = new QLineEdit(frame);
        field->setMaximumWidth(field->fontMetrics().averageCharWidth() * chars + 12);
        return field;
    };

    auto* label = new QLabel(QStringLiteral("<b>%1</b>").arg(text(name).toHtmlEscaped()), frame);
    grid->addWidget(label, 0, 0);
    r.re = new QSlider(Qt::Horizontal, frame);
    r.re->setRange(0, kSteps);
    r.re->setMinimumWidth(120);
    r.re->setAccessibleName(text(name));
    grid->addWidget(r.re, 0, 1, 1, 2);
    r.value = numberField(10);
    r.value->setAccessibleName(tr("value of %1").arg(text(name)));
    grid->addWidget(r.value, 0, 3);
    if (r.complex) {
        grid->addWidget(new QLabel(tr("Im"), frame), 1, 0);
        r.im = new QSlider(Qt::Horizontal, frame);
        r.im->setRange(0, kSteps);
        grid->addWidget(r.im, 1, 1, 1, 2);
    }
    r.min = numberField(6);
    r.max = numberField(6);
    r.min->setToolTip(tr("The slider's left end"));
    r.max->setToolTip(tr("The slider's right end"));
    grid->addWidget(r.min, 2, 0);
    grid->addWidget(r.max, 2, 1);
    r.complexBox = new QCheckBox(tr("Complex"), frame);
    grid->addWidget(r.complexBox, 2, 2, 1, 2);
    r.play = new QToolButton(frame);
    r.play->setText(tr("Play"));
    r.play->setCheckable(true);
    grid->addWidget(r.play, 3, 0);
    r.mode = new QComboBox(frame);
    r.mode->addItem(tr("Loop"));
    r.mode->addItem(tr("Bounce"));
    grid->addWidget(r.mode, 3, 1, 1, 2);
    r.speed = new QDoubleSpinBox(frame);
    // Numbers read and shown the same whatever the user's locale.
    r.speed->setLocale(QLocale::c());
    r.speed->setRange(0.01, 10.0);
    r.speed->setSingleStep(0.05);
    r.speed->setSuffix(tr(" /s"));
    r.speed->setToolTip(tr("Play's speed: ranges per second"));
    grid->addWidget(r.speed, 3, 3);
    r.message = new QLabel(frame);
    r.message->setWordWrap(true);
    r.message->hide();
    grid->addWidget(r.message, 4, 0, 1, 4);

    for (QSlider* s : {r.re, r.im}) {
        if (s == nullptr) {
            continue;
        }
        connect(s, &QSlider::valueChanged, this,
                [this, name, s] { slid(name, s->isSliderDown()); });
        connect(s, &QSlider::sliderReleased, this, [this, name] { released(name); });
    }
    connect(r.value, &QLineEdit::editingFinished, this, [this, name] { typed(name); });
    connect(r.min, &QLineEdit::editingFinished, this, [this, name] { rangeTyped(name); });
    connect(r.max, &QLineEdit::editingFinished, this, [this, name] { rangeTyped(name); });
    connect(r.complexBox, &QCheckBox::toggled, this, [this, name](bool on) {
        parameters_.setComplex(name, on);
        changed();
    });
    connect(r.play, &QToolButton::toggled, this, [this, name](bool on) { playToggled(name, on); });
    connect(r.mode, &QComboBox::currentIndexChanged, this, [this, name](int index) {
        if (auto p = parameters_.parameter(name)) {
            PlaySettings play = p->play;
            play.mode = index == 1 ? PlaySettings::Mode::Bounce : PlaySettings::Mode::Loop;
            parameters_.setPlay(name, play);
            changed();
        }
    });
    connect(r.speed, &QDoubleSpinBox::valueChanged, this, [this, name](double speed) {
        if (auto p = parameters_.parameter(name)) {
            PlaySettings play = p->play;
            play.speed = speed;
            parameters_.setPlay(name, play);
        }
    });
    r.widget = frame;
    return frame;
}

void ParametersDock::showRow(Row& r, const ParameterInfo& p) {
    const QSignalBlocker blocks[] = {QSignalBlocker(r.re),   QSignalBlocker(r.im),
                                     QSignalBlocker(r.mode), QSignalBlocker(r.speed),
                                     QSignalBlocker(r.play), QSignalBlocker(r.complexBox)};
    // A slider under the pointer stays where the pointer put it.
    if (!r.re->isSliderDown()) {
        r.re->setValue(sliderPosition(p.value.real(), p.min, p.max));
    }
    if (r.im != nullptr && !r.im->isSliderDown()) {
        r.im->setValue(sliderPosition(p.value.imag(), p.min, p.max));
    }
    if (!r.value->hasFocus()) {
        r.value->setText(text(Parameters::valueText(p.value, p.complex)));
    }
    if (!r.min->hasFocus()) {
        r.min->setText(numberText(p.min));
    }
    if (!r.max->hasFocus()) {
        r.max->setText(numberText(p.max));
    }
    r.complexBox->setChecked(p.complex);
    r.play->setChecked(playing_ == r.name);
    r.play->setText(playing_ == r.name ? tr("Stop") : tr("Play"));
    r.mode->setCurrentIndex(p.play.mode == PlaySettings::Mode::Bounce ? 1 : 0);
    r.speed->setValue(p.play.speed);
}

std::complex<double> ParametersDock::sliderValue(const Row& r) const {
    const auto p = parameters_.parameter(r.name);
    if (!p) {
        return {};
    }
    const auto at = [&p](const QSlider* s) {
        return p->min + (p->max - p->min) * s->value() / static_cast<double>(kSteps);
    };
    return {at(r.re), r.im != nullptr ? at(r.im) : 0.0};
}

void ParametersDock::slid(const std::string& name, bool down) {
    Row* r = row(name);
    if (r == nullptr) {
        return;
    }
    if (down) {
        frames_.request(name, sliderValue(*r));
        return;
    }
    // A key or a click beside the handle: one step of its own.
    frames_.flush();
    parameters_.endSlide();
    parameters_.setParameterValue(name, sliderValue(*r));
    changed();
}

void ParametersDock::released(const std::string& name) {
    if (Row* r = row(name)) {
        frames_.request(name, sliderValue(*r));
    }
    frames_.flush();
    parameters_.endSlide();
    changed();
}

void ParametersDock::typed(const std::string& name) {
    Row* r = row(name);
    if (r == nullptr) {
        return;
    }
    const auto now = parameters_.parameter(name);
    if (now && r->value->text().toStdString() == Parameters::valueText(now->value, now->complex)) {
        // Left as shown (the focus passing through): nothing typed, nothing rounded.
        r->message->hide();
        return;
    }
    std::complex<double> value;
    std::string error;
    if (!Parameters::readValue(r->value->text().toStdString(), value, error)) {
        r->message->setText(text(error));
        r->message->show();
        return;
    }
    r->message->hide();
    if (!r->complex && value.imag() != 0.0) {
        // A complex value typed for a real parameter makes it complex.
        parameters_.setComplex(name, true);
    }
    if (auto p = parameters_.parameter(name); p && value != p->value) {
        parameters_.setParameterValue(name, value);
    }
    // The field loses its focus after this: show the value as the parameter has it.
    QTimer::singleShot(0, this, [this] { changed(); });
    changed();
}

void ParametersDock::rangeTyped(const std::string& name) {
    Row* r = row(name);
    if (r == nullptr) {
        return;
    }
    std::complex<double> low;
    std::complex<double> high;
    std::string error;
    if (!Parameters::readValue(r->min->text().toStdString(), low, error) ||
        !Parameters::readValue(r->max->text().toStdString(), high, error) || low.imag() != 0.0 ||
        high.imag() != 0.0 || !parameters_.setRange(name, low.real(), high.real())) {
        r->message->setText(tr("The ends of the range are two different real numbers."));
        r->message->show();
        return;
    }
    r->message->hide();
    QTimer::singleShot(0, this, [this] { changed(); });
    changed();
}

void ParametersDock::playToggled(const std::string& name, bool on) {
    if (!on) {
        if (playing_ == name) {
            stopPlay();
        }
        return;
    }
    stopPlay();
    const auto p = parameters_.parameter(name);
    if (!p) {
        return;
    }
    playing_ = name;
    playAt_ = p->value.real();
    forward_ = true;
    playClock_.start();
    playTimer_.start();
    changed();
}

void ParametersDock::stopPlay() {
    if (playing_.empty()) {
        return;
    }
    playTimer_.stop();
    playing_.clear();
    // Whatever Play showed last is the value, and the whole run one step.
    frames_.flush();
    parameters_.endSlide();
    changed();
}

void ParametersDock::playTick() {
    const auto p = parameters_.parameter(playing_);
    if (!p) {
        stopPlay();
        return;
    }
    const double seconds = static_cast<double>(playClock_.restart()) / 1000.0;
    // From where Play was last sent, not from what was drawn: a slow frame costs no ground.
    playAt_ = Parameters::playStep(*p, playAt_, seconds, forward_);
    frames_.request(playing_, {playAt_, p->value.imag()});
}

}  // namespace zw
