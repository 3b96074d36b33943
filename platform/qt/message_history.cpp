#include "platform/qt/message_history.h"

#include "platform/qt/message_label.h"

namespace velmora::qt {

// Not a child of the label: the history lives in the comforts, and the label
// may be deleted first when the program ends.
MessageHistory::MessageHistory(MessageLabel* label) {
    messages_.append(label->text());  // the design caption, shown before any signal
    connect(label, &MessageLabel::shown, this,
            [this](const QString& text) { messages_.append(text); });
}

}  // namespace velmora::qt
