// The front-end screens' shared pieces that need no screen: the language read
// from the account, button tables tested in order, and node paths as text in
// the messages about missing content.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qdl/Source/Game/FrontEnd/FrontEndMode.h"
#include "qdl/Tests/GameTestSupport.h"

namespace
{

class FrontEndConventions : public GameTestSupport::GameFixture
{
};

TEST_F(FrontEndConventions, TheLanguageIsEnglishUnlessTheAccountSaysFalse)
{
    EXPECT_TRUE(isEnglishLanguage());
    account->WriteValue(L"EnglishLanguage", false);
    EXPECT_FALSE(isEnglishLanguage());
    account->WriteValue(L"EnglishLanguage", true);
    EXPECT_TRUE(isEnglishLanguage());
    // A value that is no boolean counts as nothing stored.
    account->WriteValue(L"EnglishLanguage", std::wstring(L"quiz\u00e1s"));
    EXPECT_TRUE(isEnglishLanguage());
}

struct sRecorder
{
    void play() { acted.push_back("play"); }
    void playAgain() { acted.push_back("play again"); }
    void quit() { acted.push_back("quit"); }
    std::vector<std::string> acted;
};

TEST_F(FrontEndConventions, TheFirstRowOfTheSendersNameActsAndUnknownNamesDoNothing)
{
    ButtonTable<sRecorder> const buttons = {
        {"PlayButton", &sRecorder::play},
        {"QuitButton", &sRecorder::quit},
        {"PlayButton", &sRecorder::playAgain},
    };
    sRecorder recorder;
    EXPECT_TRUE(buttons.dispatch(&recorder, Corvane::Label::GetUniqueString("PlayButton")));
    // Names are labels: case does not matter.
    EXPECT_TRUE(buttons.dispatch(&recorder, Corvane::Label::GetUniqueString("quitbutton")));
    EXPECT_FALSE(buttons.dispatch(&recorder, Corvane::Label::GetUniqueString("Bot\xc3\xb3nSalir")));
    EXPECT_FALSE(buttons.dispatch(&recorder, Corvane::Label()));
    EXPECT_EQ((std::vector<std::string>{"play", "quit"}), recorder.acted);
}

TEST_F(FrontEndConventions, NodePathsReadAsTextWithEveryKindOfStep)
{
    NodePathElement const path[] = {"TitleMainMenu", Corvane::Label::GetUniqueString("UI"), 2,
                                    std::wstring(L"Se\u00f1al"), NodePathTerminator()};
    EXPECT_EQ("TitleMainMenu/UI/#2/Se\xc3\xb1" "al", describeNodePath(path));
    NodePathElement const empty[] = {NodePathTerminator()};
    EXPECT_EQ("", describeNodePath(empty));
    EXPECT_EQ("", describeNodePath(nullptr));
}

} // namespace
