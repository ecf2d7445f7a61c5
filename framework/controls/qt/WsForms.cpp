#include "framework/controls/qt/WsForms.h"

#include <QFontMetrics>
#include <QPushButton>

#include "framework/graphics/Font.h"
#include "framework/messages/MessageQueue.h"

namespace velmor_ws {

TTextMeasure MeasureWrappedText(const TFont* font, const String& text, int maxWidth, int maxHeight) {
    const QFontMetrics fm(font->QtFont());
    const QRect r = fm.boundingRect(QRect(0, 0, maxWidth, maxHeight), Qt::TextWordWrap, QString::fromStdString(text));
    return TTextMeasure{r.width(), r.height(), fm.height()};
}

QWidget* CreateBoxButton(QWidget* parent, std::function<void()> onClicked) {
    auto* b = new QPushButton(parent);
    b->setDefault(true);
    b->setAutoDefault(true);
    // Signals come from inside the toolkit: guard them like events.
    QObject::connect(b, &QPushButton::clicked, [onClicked = std::move(onClicked)] { GuardedCall(onClicked); });
    return b;
}

void SetBoxButtonText(QWidget* button, const String& text) {
    static_cast<QPushButton*>(button)->setText(QString::fromStdString(text));
}

}  // namespace velmor_ws
