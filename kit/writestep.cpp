#include "writestep.h"

#include <QAbstractButton>
#include <QDialog>
#include <QJsonArray>

#include "loadguard.h"
#include "noticebox.h"

namespace {

void warn(const QString &text)
{
    NoticeBox::warning(QStringLiteral("提示信息"), text);
}

// Disables the buttons for its life and gives each its own state back.
class ButtonsOff
{
public:
    explicit ButtonsOff(const QList<QPointer<QAbstractButton>> &buttons)
    {
        for (const QPointer<QAbstractButton> &button : buttons) {
            if (button) {
                states.append({button, button->isEnabled()});
                button->setEnabled(false);
            }
        }
    }
    ~ButtonsOff()
    {
        for (const auto &state : states) {
            if (state.first)
                state.first->setEnabled(state.second);
        }
    }
    ButtonsOff(const ButtonsOff &) = delete;
    ButtonsOff &operator=(const ButtonsOff &) = delete;

private:
    QList<QPair<QPointer<QAbstractButton>, bool>> states;
};

} // namespace

WriteStep::WriteStep(QDialog *dialog, Send send) : dialog(dialog), send(std::move(send))
{
    // After a stored "stay" write the opener must reload, however the dialog ends.
    connect(dialog, &QDialog::finished, this, [this] {
        if (storedOnce)
            this->dialog->setResult(QDialog::Accepted);
    });
}

void WriteStep::setButtons(const QList<QAbstractButton *> &list)
{
    buttons.clear();
    for (QAbstractButton *button : list)
        buttons.append(button);
}

void WriteStep::setButtonText(QAbstractButton *button, const QString &text)
{
    const QKeySequence shortcut = button->shortcut();
    button->setText(text);
    button->setShortcut(shortcut);
}

void WriteStep::setExtraKeys(const QJsonObject &keys)
{
    extraKeys = keys;
    extraKeys.remove(QStringLiteral("dList"));
}

void WriteStep::setOnStored(std::function<void()> hook)
{
    onStored = std::move(hook);
}

bool WriteStep::confirm(const QString &problem, const std::function<QJsonObject()> &record, After after)
{
    LoadGuard guard(waiting);
    if (!guard.entered())
        return false;
    if (!problem.isEmpty()) {
        warn(problem);
        return false;
    }

    QJsonObject result;
    {
        ButtonsOff off(buttons);
        const QJsonObject object = record();
        if (object.isEmpty())
            return false;
        QJsonObject request = extraKeys;
        request.insert(QStringLiteral("dList"), QJsonArray{object});
        result = send(object.value(QStringLiteral("id")).toInt() == 0, request);
    }
    if (result.value(QStringLiteral("flag")).toInt() != 1) {
        warn(result.value(QStringLiteral("temporary")).toVariant().toString());
        return false;
    }
    storedOnce = true;
    if (onStored)
        onStored();
    if (after == After::Close)
        dialog->accept();
    return true;
}
