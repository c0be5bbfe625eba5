// Markup in recipe fields stays, active content goes.
#include <gtest/gtest.h>

#include "render/MarkupSanitizer.h"

namespace pantrio {
namespace {

TEST(MarkupSanitizerTest, OrdinaryMarkupIsKeptByteForByte) {
    const std::string markup =
        "<B>Bold</B> <a href='http://x.example/a?b=1&c=2'>link</a> <img src=\"p.jpg\" width=40>"
        "<!-- note --> <br/> 3 &lt; 4 <FONT SIZE=-1>small</FONT> <style>p > b { color: red "
        "}</style>";
    EXPECT_EQ(SanitizeMarkup(markup), markup);
    EXPECT_EQ(SanitizeMarkup("<!DOCTYPE html><p>x</p>"), "<!DOCTYPE html><p>x</p>");
}

TEST(MarkupSanitizerTest, ScriptElementsGoWithTheirContent) {
    EXPECT_EQ(SanitizeMarkup("a<script>alert(1)</script>b"), "ab");
    EXPECT_EQ(SanitizeMarkup("a<SCRIPT type=text/javascript>x()</SCRIPT >b"), "ab");
    EXPECT_EQ(SanitizeMarkup("a<script/src=//evil.example/x.js></script>b"), "ab");
    // "</script" inside a string still ends the element for a browser.
    EXPECT_EQ(SanitizeMarkup("a<script>var s='</script>';</script>b"), "a';b");
    // Without an end tag the browser would run the rest: the rest goes.
    EXPECT_EQ(SanitizeMarkup("a<script>alert(1)"), "a");
    EXPECT_EQ(SanitizeMarkup("a</script>b"), "ab");
}

TEST(MarkupSanitizerTest, EventHandlersAndScriptAddressesAreDropped) {
    EXPECT_EQ(SanitizeMarkup("<img src=x onerror=alert(1)>"), "<img src=x>");
    EXPECT_EQ(SanitizeMarkup("<IMG SRC=x ONERROR='alert(1)' alt=\"a\">"), "<IMG SRC=x alt=\"a\">");
    EXPECT_EQ(SanitizeMarkup("<img/src=x/onerror=alert(1)>"), "<img/src=x/onerror=alert(1)>")
        << "the browser reads one unquoted src value here, not a handler";
    EXPECT_EQ(SanitizeMarkup("<body/onload=alert(1)>"), "<body>");
    EXPECT_EQ(SanitizeMarkup("<a href=\"JaVaScRiPt:alert(1)\">x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href=' javascript:alert(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href='java\tscript:alert(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href='vbscript:msgbox(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<form action=javascript:alert(1)><button>go</button></form>"),
              "<form><button>go</button></form>");
    EXPECT_EQ(SanitizeMarkup("<p style='width:expression(alert(1))'>x</p>"), "<p>x</p>");
    EXPECT_EQ(SanitizeMarkup("<a href='javascript_tips.htm'>tips</a>"),
              "<a href='javascript_tips.htm'>tips</a>");
}

TEST(MarkupSanitizerTest, CharacterReferencesCannotHideAScheme) {
    EXPECT_EQ(SanitizeMarkup("<a href='&#106;avascript:alert(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href='&#x6A;&#x61;vascript&colon;alert(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href='jav&#x09;ascript:alert(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href='jav&Tab;ascript:alert(1)'>x</a>"), "<a>x</a>");
    EXPECT_EQ(SanitizeMarkup("<a href=&#106&#97&#118&#97&#115&#99&#114&#105&#112&#116:x>y</a>"),
              "<a>y</a>");
}

TEST(MarkupSanitizerTest, UnclosedConstructsBecomeText) {
    EXPECT_EQ(SanitizeMarkup("<b title='x"), "&lt;b title='x");
    EXPECT_EQ(SanitizeMarkup("a <b"), "a &lt;b");
    EXPECT_EQ(SanitizeMarkup("<!-- open"), "&lt;!-- open");
    EXPECT_EQ(SanitizeMarkup("1 < 2 and 3<4"), "1 &lt; 2 and 3&lt;4");
    EXPECT_EQ(SanitizeMarkup("<textarea>rest"), "&lt;textarea>rest");
    EXPECT_EQ(SanitizeMarkup("</ b>"), "&lt;/ b>");
}

TEST(MarkupSanitizerTest, CommentsEndWhereABrowserEndsThem) {
    // "<!-->" is a whole comment to a browser: the script after it would run.
    EXPECT_EQ(SanitizeMarkup("<!--><script>alert(1)</script>-->"), "<!-->-->");
    EXPECT_EQ(SanitizeMarkup("<!---><script>alert(1)</script>-->"), "<!--->-->");
    EXPECT_EQ(SanitizeMarkup("<!-- a --!><script>alert(1)</script>"), "<!-- a --!>");
    EXPECT_EQ(SanitizeMarkup("<!-- <script>alert(1)</script> -->"),
              "<!-- <script>alert(1)</script> -->")
        << "inside a real comment nothing runs";
}

TEST(MarkupSanitizerTest, RawTextElementsAreReadAsABrowserReadsThem) {
    // The title's text ends at "</title>", so the script after it is real.
    EXPECT_EQ(SanitizeMarkup("<title><!--</title><script>alert(1)</script>-->"),
              "<title><!--</title>-->");
    EXPECT_EQ(SanitizeMarkup("<style><img src=x onerror=alert(1)></style>"),
              "<style><img src=x onerror=alert(1)></style>")
        << "style content is text to the browser";
    // Inside svg a style element is markup: svg and math tags are dropped, so
    // the content is read as markup by the browser and by the filter alike.
    EXPECT_EQ(SanitizeMarkup("<svg><p><style><img src=x onerror=alert(1)></style></p></svg>"),
              "<p><style><img src=x onerror=alert(1)></style></p>");
    EXPECT_EQ(SanitizeMarkup("<math><mtext><table><mglyph><style><img src=x onerror=alert(1)>"),
              "<mtext><table><mglyph>&lt;style><img src=x>");
}

TEST(MarkupSanitizerTest, FramesObjectsAndRefreshesAreDropped) {
    EXPECT_EQ(SanitizeMarkup("<iframe src='x'>in</iframe>"), "in");
    EXPECT_EQ(SanitizeMarkup("<iframe srcdoc='<script>alert(1)</script>'></iframe>"), "");
    EXPECT_EQ(SanitizeMarkup("<object data=x></object><embed src=y>"), "");
    EXPECT_EQ(SanitizeMarkup("<base href='http://evil.example/'>"), "");
    EXPECT_EQ(SanitizeMarkup("<meta http-equiv=refresh content='0;url=javascript:alert(1)'>"), "");
    EXPECT_EQ(SanitizeMarkup("<meta charset=\"utf-8\">"), "<meta charset=\"utf-8\">");
    EXPECT_EQ(SanitizeMarkup("<noscript><img src=x onerror=alert(1)></noscript>"), "<img src=x>");
}

TEST(MarkupSanitizerTest, FieldsLoseControlCharacters) {
    EXPECT_EQ(SanitizeField(std::string("a\x01") + "b\tc\r\nd" + std::string(1, '\0') + "e"),
              "ab\tc\r\nde");
    EXPECT_EQ(SanitizeField("<scr\x02ipt>alert(1)</script>"), "");
}

}  // namespace
}  // namespace pantrio
