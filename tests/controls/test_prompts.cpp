#include "controls/prompts.h"
#include <gtest/gtest.h>

namespace {
class Recording : public Prompts {
public:
    QString lastText;
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &text,
                                        QMessageBox::StandardButtons,
                                        const QString &) override
    {
        lastText = text;
        return QMessageBox::Ok;
    }
};
} // namespace

TEST(Prompts, InstalledPromptsAnswerAndNullRestoresTheRealOnes)
{
    Recording rec;
    Prompts::install(&rec);
    EXPECT_EQ(Prompts::current().message(nullptr, QMessageBox::Information, "hi",
                                         QMessageBox::Ok),
              QMessageBox::Ok);
    EXPECT_EQ(rec.lastText, "hi");
    Prompts::install(nullptr);
    EXPECT_NE(&Prompts::current(), &rec);
}
