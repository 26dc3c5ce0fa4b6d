#pragma once
// Prompts that answer from a script and remember what was asked, installed
// for the life of the object.
#include "dialogs/prompts.h"
#include "ledger/paymentdialog.h"

#include <functional>

#include <QStringList>
#include <deque>
#include <type_traits>

class FakePrompts : public Prompts {
public:
    FakePrompts() { Prompts::install(this); }
    ~FakePrompts() override { Prompts::install(nullptr); }

    struct Message {
        QMessageBox::Icon icon;
        QString text;
        QMessageBox::StandardButtons buttons;
        QString title;
        QMessageBox::StandardButton defaultButton;
    };
    std::vector<Message> messages;
    std::deque<QMessageBox::StandardButton> answers;  // default: Ok / first button
    std::vector<QString> inputTitles, inputPrompts, inputDefaults;
    std::deque<std::optional<QString>> inputAnswers;  // default: cancelled
    std::vector<FileDialogRequest> fileRequests;
    std::deque<FileDialogResult> fileResults;         // default: cancelled
    std::vector<QUrl> urls;
    bool urlResult = true;
    std::vector<int> helpContexts;

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        const QString &title,
                                        QMessageBox::StandardButton defaultButton) override
    {
        messages.push_back({icon, text, buttons, title, defaultButton});
        return next(answers, buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel);
    }
    std::optional<QString> inputText(QWidget *, const QString &title, const QString &prompt,
                                     const QString &def) override
    {
        inputTitles.push_back(title);
        inputPrompts.push_back(prompt);
        inputDefaults.push_back(def);
        return next(inputAnswers, std::nullopt);
    }
    FileDialogResult fileDialog(const FileDialogRequest &request) override
    {
        fileRequests.push_back(request);
        return next(fileResults, {});
    }
    bool openUrl(const QUrl &url) override
    {
        urls.push_back(url);
        return urlResult;
    }
    void showHelp(QWidget *, int context) override { helpContexts.push_back(context); }
    // The payment dialog, filled and closed by the test; untouched, it is left
    // unanswered ("Cancel").
    std::function<void(PaymentDialog &)> paymentDialog;
    // Any other of the program's dialogs.
    std::function<void(QDialog &)> otherDialog;
    void runDialog(QDialog &dialog) override
    {
        if (auto *p = qobject_cast<PaymentDialog *>(&dialog); p && paymentDialog)
            paymentDialog(*p);
        else if (!qobject_cast<PaymentDialog *>(&dialog) && otherDialog)
            otherDialog(dialog);
    }

private:
    // The first scripted answer, taken off the script; `otherwise` when none is left.
    template <class T> static T next(std::deque<T> &script, const std::type_identity_t<T> &otherwise)
    {
        if (script.empty())
            return otherwise;
        T a = script.front();
        script.pop_front();
        return a;
    }
};
