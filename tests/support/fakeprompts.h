#pragma once
// Prompts that answer from a script and remember what was asked, installed
// for the life of the object.
#include "dialogs/prompts.h"

#include <QStringList>
#include <deque>

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
        if (!answers.empty()) {
            auto a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::Cancel;
    }
    std::optional<QString> inputText(QWidget *, const QString &title, const QString &prompt,
                                     const QString &def) override
    {
        inputTitles.push_back(title);
        inputPrompts.push_back(prompt);
        inputDefaults.push_back(def);
        if (inputAnswers.empty())
            return std::nullopt;
        auto a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    FileDialogResult fileDialog(const FileDialogRequest &request) override
    {
        fileRequests.push_back(request);
        if (fileResults.empty())
            return {};
        auto r = fileResults.front();
        fileResults.pop_front();
        return r;
    }
    bool openUrl(const QUrl &url) override
    {
        urls.push_back(url);
        return urlResult;
    }
    void showHelp(QWidget *, int context) override { helpContexts.push_back(context); }
};
