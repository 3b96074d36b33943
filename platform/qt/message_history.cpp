#include "platform/qt/message_history.h"

#include "platform/qt/message_label.h"

namespace velmora::qt {

MessageHistory::MessageHistory(MessageLabel* label) : QObject(label) {
    messages_.append(label->text());  // the design caption, shown before any signal
    connect(label, &MessageLabel::shown, this,
            [this](const QString& text) { messages_.append(text); });
}

}  // namespace velmora::qt
