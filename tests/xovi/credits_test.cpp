#include "xovi_window.h"

namespace xovi_test {
namespace {

using Credits = XoviWindow;

void queryCredits(QObject *form) {
    control<QAction>(form, "Creditsabfragen1")->trigger();
}

TEST_F(Credits, OneMessagePerCreditsLeftInReplyOrderWithTheKeyAsTyped) {
    queryCredits(form);
    EXPECT_EQ(service().targets().back(), "/api/index.php?key=schl%C3%BCssel%201"
                                          "&method=getcreditstate&service=user&format=xml");
    EXPECT_EQ(messages.texts(),
              QStringList({"Kelvaro Fennwick v.0.4b Creditverbrauch: 1750 verbleibende Credits: "
                           "48250"}));

    // Two accounts in one reply; the second credits-left element is followed only by closing
    // tags, so its credits used are empty; entities stay as they stand.
    messages.clear();
    service().prepend([](const sandbox::Request &) -> std::optional<sandbox::Reply> {
        return sandbox::Reply::xml(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xovi>\n  <creditstate>\n"
            "    <creditsleft>12</creditsleft>\n    <creditsused>3 &amp; 4</creditsused>\n"
            "  </creditstate>\n  <creditstate><creditsleft>7</creditsleft></creditstate></xovi>");
    });
    queryCredits(form);
    EXPECT_EQ(messages.texts(),
              QStringList({"Kelvaro Fennwick v.0.4b Creditverbrauch: 3 &amp; 4 verbleibende "
                           "Credits: 12",
                           "Kelvaro Fennwick v.0.4b Creditverbrauch:  verbleibende Credits: 7"}));
}

TEST_F(Credits, ErrorRepliesAndFailedFetchesShowNothing) {
    child<QLineEdit>("xovi_api_key")->setText(QString());
    queryCredits(form);
    EXPECT_EQ(service().targets().back(),
              "/api/index.php?key=&method=getcreditstate&service=user&format=xml");
    EXPECT_TRUE(memoText(child("speich")).contains("\r\n<status>\r\nerror\r\n</status>\r\n"));

    service().stop();
    queryCredits(form);
    EXPECT_EQ(memoText(child("speich")), "");
    EXPECT_TRUE(messages.texts().isEmpty());
}

} // namespace
} // namespace xovi_test
