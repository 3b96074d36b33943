#include "backends/qt/message_history.h"

#include "backends/qt/message_label.h"

namespace velmora::qt {

// No parent: the history lives inside the comforts, and the label, deleted
// first when the window goes, would delete it a second time.
MessageHistory::MessageHistory(MessageLabel* label) {
    messages_.append(label->text());  // the design caption, shown before any signal
    connect(label, &MessageLabel::shown, this,
            [this](const QString& text) { messages_.append(text); });
}

}  // namespace velmora::qt
