// Every message the label has shown since the program started, as it showed
// it (names and nicknames already in), oldest first.
#pragma once

#include <QObject>
#include <QStringList>

namespace velmora::qt {

class MessageLabel;

class MessageHistory : public QObject {
    Q_OBJECT
  public:
    explicit MessageHistory(MessageLabel* label);

    const QStringList& messages() const { return messages_; }

  private:
    QStringList messages_;
};

}  // namespace velmora::qt
