#pragma once

#include <QStatusBar>

class QLabel;

namespace zw {

// The window's bottom line: where the pointer is in both planes, then, at the right, the
// current function, a note when nothing of it can be drawn, and the zoom of each plane. Menu
// items' tips replace it while shown.
class StatusBar : public QStatusBar {
    Q_OBJECT

  public:
    explicit StatusBar(QWidget* parent = nullptr);

    void setPointerText(const QString& text);
    void setFunctionText(const QString& text);
    void setZoomText(const QString& text);
    // Hidden while empty.
    void setNoteText(const QString& text);
    QString pointerText() const;
    QString functionText() const;
    QString zoomText() const;
    QString noteText() const;

  private:
    QLabel* pointer_;
    QLabel* function_;
    QLabel* note_;
    QLabel* zoom_;
};

}  // namespace zw
