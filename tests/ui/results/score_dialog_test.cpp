#include "score_dialog.h"

#include "application.h"
#include "label.h"
#include "push_button.h"
#include "text.h"
#include "window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ScoreDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (Window* window : Window::OpenWindows())
            window->Close();
        Application::DoEvents();
    }
};

const std::string kBreak = "\r\r";

struct MessageCase {
    Integer right;
    Integer wrong;
    Integer passMark;
    std::string message;
};

TEST_F(ScoreDialogTest, InitComposesTheScoreMessage)
{
    const std::vector<MessageCase> cases = {
        { 20, 15, 26,
            "You correctly answered 20 out of 35 questions. A passing score is 26 correct." + kBreak
                + "Unfortunately, you did not pass." + kBreak + "You may now review the exam." },
        { 26, 9, 26,
            "You correctly answered 26 out of 35 questions. A passing score is 26 correct." + kBreak
                + "You passed!" + kBreak + "You may now review the exam." },
        { 25, 10, 26,
            "You correctly answered 25 out of 35 questions. A passing score is 26 correct." + kBreak
                + "Unfortunately, you did not pass." + kBreak + "You may now review the exam." },
        { 0, 0, 0,
            "You correctly answered 0 out of 0 questions. A passing score is 0 correct." + kBreak
                + "You passed!" + kBreak + "You may now review the exam." },
        { 0, 0, 1,
            "You correctly answered 0 out of 0 questions. A passing score is 1 correct." + kBreak
                + "Unfortunately, you did not pass." + kBreak + "You may now review the exam." },
        { 0, 0, -3,
            "You correctly answered 0 out of 0 questions. A passing score is -3 correct." + kBreak
                + "You passed!" + kBreak + "You may now review the exam." },
        { 1000, 0, 999,
            "You correctly answered 1000 out of 1000 questions. A passing score is 999 correct."
                + kBreak + "You passed!" + kBreak + "You may now review the exam." },
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(
            Str(c.right) + " right, " + Str(c.wrong) + " wrong, pass mark " + Str(c.passMark));
        class ScoreDialog& dialog = ScoreDialog();
        dialog.init(c.right, c.wrong, c.passMark);
        EXPECT_EQ(dialog.StaticText1().Text(), c.message);
    }
}

TEST_F(ScoreDialogTest, OpensWithItsStoredLayout)
{
    class ScoreDialog& dialog = ScoreDialog();
    EXPECT_TRUE(dialog.IsOpen());
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Title(), "Results");
    EXPECT_EQ(dialog.Width(), 293);
    EXPECT_EQ(dialog.Height(), 162);
    EXPECT_EQ(dialog.Frame(), kFrameModalDialog);
    EXPECT_FALSE(dialog.Resizeable());
    EXPECT_FALSE(dialog.LiveResize());
    EXPECT_FALSE(dialog.MenuBarVisible());

    const Label& message = dialog.StaticText1();
    EXPECT_EQ(message.Text(), "-");
    EXPECT_TRUE(message.Multiline());
    EXPECT_EQ(message.Left(), 15);
    EXPECT_EQ(message.Top(), 14);
    EXPECT_EQ(message.Width(), 265);
    EXPECT_EQ(message.Height(), 107);
    EXPECT_EQ(message.TextSize(), 12);

    const PushButton& ok = dialog.PushButton1();
    EXPECT_EQ(ok.Caption(), "OK");
    EXPECT_FALSE(ok.Default());
    EXPECT_FALSE(ok.Cancel());
    EXPECT_EQ(ok.Left(), 116);
    EXPECT_EQ(ok.Top(), 127);
    EXPECT_EQ(ok.Width(), 69);
    EXPECT_EQ(ok.Height(), 20);
    EXPECT_EQ(ok.TabIndex(), 1);
}

TEST_F(ScoreDialogTest, AccessorReusesTheOpenDialogAndInitReplacesTheMessage)
{
    class ScoreDialog& first = ScoreDialog();
    first.init(1, 2, 3);
    class ScoreDialog& second = ScoreDialog();
    EXPECT_EQ(&second, &first);
    second.init(5, 0, 3);
    EXPECT_EQ(first.StaticText1().Text(),
        "You correctly answered 5 out of 5 questions. A passing score is 3 correct." + kBreak
            + "You passed!" + kBreak + "You may now review the exam.");
    EXPECT_EQ(Window::OpenWindows().size(), 1u);
}

TEST_F(ScoreDialogTest, OkClosesAndTheNextGradingGetsANewDialog)
{
    class ScoreDialog& dialog = ScoreDialog();
    dialog.init(3, 4, 5);
    dialog.PushButton1().Push();
    EXPECT_EQ(Window::FindOpen<class ScoreDialog>(), nullptr);
    Application::DoEvents();
    class ScoreDialog& next = ScoreDialog();
    EXPECT_TRUE(next.IsOpen());
    EXPECT_EQ(next.StaticText1().Text(), "-");
}

} // namespace
