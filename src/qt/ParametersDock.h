#pragma once

#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "app/Parameters.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class QVBoxLayout;

namespace zw {

// The Parameters panel: one row per parameter of f, with a slider (two for a complex value:
// real and imaginary part), a number field, the range's ends, real or complex, and Play with
// its mode and speed. A slider's values go through ParameterFrames, so a slow picture never
// queues frames; releasing the slider, a typed value or stopping Play is one undo step.
class ParametersDock : public QDockWidget {
    Q_OBJECT

  public:
    // Steps of a slider across the range.
    static constexpr int kSteps = 1000;
    // Play's frames, at most this often (ms).
    static constexpr int kPlayInterval = 30;

    // `afterChange` shows what the logic changed (the window's passes, menus and readouts).
    ParametersDock(Parameters& parameters, std::function<void()> afterChange,
                   QWidget* parent = nullptr);

    // The rows follow f's parameters and their values. The panel shows itself when f gains
    // parameters and hides when it has none left.
    void refresh();

    // The widgets of a parameter's row, or null.
    QSlider* slider(const QString& name) const;
    QSlider* imaginarySlider(const QString& name) const;
    QLineEdit* valueField(const QString& name) const;
    QLineEdit* minField(const QString& name) const;
    QLineEdit* maxField(const QString& name) const;
    QCheckBox* complexBox(const QString& name) const;
    QToolButton* playButton(const QString& name) const;
    QComboBox* modeBox(const QString& name) const;
    QDoubleSpinBox* speedBox(const QString& name) const;
    // Why a typed value or range was not taken (hidden when all is well).
    QLabel* message(const QString& name) const;
    // The parameter Play is moving, or empty.
    QString playing() const { return QString::fromStdString(playing_); }
    // Stops Play, if it runs: one undo step.
    void stopPlay();

  private:
    struct Row {
        std::string name;
        bool complex = false;
        QWidget* widget = nullptr;
        QSlider* re = nullptr;
        QSlider* im = nullptr;
        QLineEdit* value = nullptr;
        QLineEdit* min = nullptr;
        QLineEdit* max = nullptr;
        QCheckBox* complexBox = nullptr;
        QToolButton* play = nullptr;
        QComboBox* mode = nullptr;
        QDoubleSpinBox* speed = nullptr;
        QLabel* message = nullptr;
    };

    const Row* row(const QString& name) const;
    Row* row(const std::string& name);
    void buildRows(const std::vector<ParameterInfo>& list);
    QWidget* makeRow(Row& r);
    void showRow(Row& r, const ParameterInfo& p);
    // The value the row's sliders stand for.
    std::complex<double> sliderValue(const Row& r) const;
    void slid(const std::string& name, bool down);
    void released(const std::string& name);
    void typed(const std::string& name);
    void rangeTyped(const std::string& name);
    void playToggled(const std::string& name, bool on);
    void playTick();
    void schedule(std::function<void()> frame);
    void changed();

    Parameters& parameters_;
    std::function<void()> afterChange_;
    ParameterFrames frames_;
    QWidget* body_;
    QVBoxLayout* rowsLayout_;
    QLabel* empty_;
    std::vector<Row> rows_;
    QTimer playTimer_;
    QElapsedTimer playClock_;
    std::string playing_;
    double playAt_ = 0.0;
    bool forward_ = true;
};

}  // namespace zw
