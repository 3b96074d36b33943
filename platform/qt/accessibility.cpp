#include "platform/qt/accessibility.h"

#include <QPushButton>

namespace velmora::qt {

namespace {

QString DescriptionOf(const QPushButton* button) {
    const QString name = button->objectName();
    if (name == "Command1") return "次のメッセージへ進みます（Enter・Space）";
    if (name == "cmdYes") return "質問に「はい」と答えます（Y）";
    if (name == "cmdNo") return "質問に「いいえ」と答えます（N）";
    const QString window = button->window()->objectName();
    if (window == "Form8") return "このコマンドを選びます";
    if (window == "Form4") return "入力した名前とニックネームで決定します";
    if (window == "Form5") return "選んだ項目で決定します";
    return "ボタン";
}

}  // namespace

void DescribeButtons(QWidget* window) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        button->setAccessibleName(button->text().trimmed());
        if (button->accessibleDescription().isEmpty())
            button->setAccessibleDescription(DescriptionOf(button));
    }
}

}  // namespace velmora::qt
