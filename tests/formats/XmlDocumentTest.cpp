#include <gtest/gtest.h>

#include <string>

#include "formats/XmlDocument.h"
#include "formats/XmlEscapes.h"

namespace pantrio {
namespace {

TEST(XmlEscapesTest, TextAndAttributeEscapes) {
    EXPECT_EQ(EscapeXmlText("a<b & c>d 'e' \"f\""), "a&lt;b &amp; c&gt;d 'e' \"f\"");
    EXPECT_EQ(EscapeXmlAttribute("'e' \"f\" <&>"), "&apos;e&apos; &quot;f&quot; &lt;&amp;&gt;");
}

TEST(XmlEscapesTest, DecodesTheFiveEntitiesOnly) {
    EXPECT_EQ(UnescapeXml("&lt;&amp;&gt;&apos;&quot;"), "<&>'\"");
    EXPECT_EQ(UnescapeXml("&nbsp; & &amp &copy;x&"), "&nbsp; & &amp &copy;x&");
    // Decoded once: "&amp;lt;" is the text "&lt;", not "<".
    EXPECT_EQ(UnescapeXml("&amp;lt;"), "&lt;");
    EXPECT_EQ(UnescapeXml(EscapeXmlAttribute("<'\"&>&amp;")), "<'\"&>&amp;");
}

TEST(XmlDocumentTest, RefusesTextsWithoutAnElement) {
    XmlDocument doc;
    EXPECT_FALSE(doc.SetDoc(""));
    EXPECT_FALSE(doc.SetDoc(" \r\n\t "));
    EXPECT_EQ(doc.GetError(), "Element tag not found");
    EXPECT_FALSE(doc.SetDoc("<!-- only a comment -->"));
    EXPECT_EQ(doc.GetError(), "Element tag not found");
    EXPECT_FALSE(doc.SetDoc("<?xml version=\"1.0\"?>\r\n"));
    EXPECT_EQ(doc.GetError(), "Element tag not found");
    EXPECT_FALSE(doc.FindElem());
}

TEST(XmlDocumentTest, SkipsDeclarationCommentDoctypeAndCdata) {
    XmlDocument doc;
    ASSERT_TRUE(
        doc.SetDoc("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<!-- a comment with <tags> inside -->\n"
                   "<!DOCTYPE list [ <!ELEMENT list (item*)> <!ENTITY x \"y\"> ]>\n"
                   "<list kind='a>b'><item>one</item><!-- <item>hidden</item> -->"
                   "<![CDATA[<item>also hidden</item>]]><item>two</item></list>"
                   "<trailing>ignored"));
    EXPECT_TRUE(doc.GetError().empty());
    ASSERT_TRUE(doc.FindElem());
    EXPECT_EQ(doc.GetTagName(), "list");
    ASSERT_TRUE(doc.FindChildElem("item"));
    EXPECT_EQ(doc.GetChildData(), "one");
    ASSERT_TRUE(doc.FindChildElem("item"));
    EXPECT_EQ(doc.GetChildData(), "two");
    EXPECT_FALSE(doc.FindChildElem("item"));
    EXPECT_FALSE(doc.FindElem());  // anything after the root is not indexed
}

TEST(XmlDocumentTest, ErrorTextsNameTheElement) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"<a><b></b>", "End tag of a element not found"},
        {"<a><b>text", "End tag of b element not found"},
        {"<a><b></c></a>", "End tag does not correspond to b"},
        {"<a></a", "End tag not completed for element a"},
        {"<a></a x>", "End tag not completed for element a"},
        {"<a><", "Abrupt end within tag"},
        {"<'a'>", "Tag starts with quote"},
        {"<a><b", "End of tag not found"},
        {"<a><!-- never closed", "Invalid node"},
        {"<a><?pi never closed", "Invalid node"},
        {"<a><![CDATA[ never closed", "Invalid node"},
        {"<!DOCTYPE a [ <!ELEMENT a ANY> ", "Invalid node"},
        {"plain text", "Element tag not found"},
    };
    for (const Case& c : cases) {
        XmlDocument doc;
        EXPECT_FALSE(doc.SetDoc(c.text)) << c.text;
        EXPECT_EQ(doc.GetError(), c.error) << c.text;
        EXPECT_FALSE(doc.FindElem()) << c.text;  // nothing half-indexed
    }
}

TEST(XmlDocumentTest, GetDataDecodesEntitiesAndReturnsRawCdata) {
    XmlDocument doc;
    ASSERT_TRUE(
        doc.SetDoc("<r><e>a &lt; b &amp;&amp; c &gt; d</e><u>&nbsp;&copy;</u>"
                   "<c>  <![CDATA[x &lt; <y> & z]]>  </c><empty/><parent><k>1</k></parent>"
                   "<blank></blank></r>"));
    ASSERT_TRUE(doc.FindElem("r"));
    ASSERT_TRUE(doc.IntoElem());
    ASSERT_TRUE(doc.FindElem("e"));
    EXPECT_EQ(doc.GetData(), "a < b && c > d");
    ASSERT_TRUE(doc.FindElem("u"));
    EXPECT_EQ(doc.GetData(), "&nbsp;&copy;");
    ASSERT_TRUE(doc.FindElem("c"));
    EXPECT_EQ(doc.GetData(), "x &lt; <y> & z");
    ASSERT_TRUE(doc.FindElem("empty"));
    EXPECT_EQ(doc.GetData(), "");
    ASSERT_TRUE(doc.FindElem("parent"));
    EXPECT_EQ(doc.GetData(), "");  // has child elements
    ASSERT_TRUE(doc.FindElem("blank"));
    EXPECT_EQ(doc.GetData(), "");
}

TEST(XmlDocumentTest, NavigationOnlyMovesForward) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetDoc("<r><a>1</a><b>2</b><a>3</a><c>4</c></r>"));
    EXPECT_FALSE(doc.IntoElem());  // no main entry yet
    EXPECT_FALSE(doc.OutOfElem());
    ASSERT_TRUE(doc.FindElem());
    ASSERT_TRUE(doc.IntoElem());
    ASSERT_TRUE(doc.FindElem("b"));
    EXPECT_EQ(doc.GetData(), "2");
    // "a" first occurs before "b": the search finds the later one.
    ASSERT_TRUE(doc.FindElem("a"));
    EXPECT_EQ(doc.GetData(), "3");
    // "b" occurs only before the current element: fails, cursor stays.
    EXPECT_FALSE(doc.FindElem("b"));
    EXPECT_EQ(doc.GetData(), "3");
    EXPECT_TRUE(doc.FindElem("c"));
    // Out of r and into it again starts over at r's first child.
    ASSERT_TRUE(doc.OutOfElem());
    EXPECT_EQ(doc.GetTagName(), "r");
    EXPECT_EQ(doc.GetChildTagName(), "c");
    EXPECT_FALSE(doc.FindChildElem("a"));  // continues after the child entry
    EXPECT_FALSE(doc.OutOfElem());
    doc.ResetPos();
    ASSERT_TRUE(doc.FindChildElem("b"));  // finds the root first
    EXPECT_EQ(doc.GetTagName(), "r");
    EXPECT_EQ(doc.GetChildData(), "2");
    ASSERT_TRUE(doc.IntoElem());
    EXPECT_EQ(doc.GetTagName(), "b");
    EXPECT_EQ(doc.GetSubDoc(), "<b>2</b>");
    EXPECT_EQ(doc.GetElemOffset(), 11);
}

TEST(XmlDocumentTest, AttributesAndOddSpacingAreSteppedOver) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetDoc("< r a=\"1\" b='x'\r\n>\n\t< k  />< v >t</ v ></r >"));
    ASSERT_TRUE(doc.FindElem("r"));
    ASSERT_TRUE(doc.FindChildElem("k"));
    EXPECT_EQ(doc.GetChildData(), "");
    ASSERT_TRUE(doc.FindChildElem("v"));
    EXPECT_EQ(doc.GetChildData(), "t");
}

TEST(XmlDocumentTest, ReadsAttributesOfMainAndChild) {
    XmlDocument doc;
    ASSERT_TRUE(
        doc.SetDoc("<r name=\"A &amp; B\" qty = '1 1/2' bare=x empty=\"\" flag "
                   "code=\"S\"><k unit=\"cup\" name='it&apos;s'/><v name=\"a>b\">t</v></r>"));
    ASSERT_TRUE(doc.FindElem("r"));
    const std::pair<const char*, const char*> cases[] = {
        {"name", "A & B"}, {"qty", "1 1/2"}, {"bare", "x"},   {"empty", ""}, {"flag", ""},
        {"code", "S"},     {"Name", ""},     {"missing", ""}, {"", ""},
    };
    for (const auto& [name, value] : cases) EXPECT_EQ(doc.GetAttrib(name), value) << name;
    EXPECT_EQ(doc.GetChildAttrib("unit"), "") << "no child entry yet";
    ASSERT_TRUE(doc.FindChildElem("k"));
    EXPECT_EQ(doc.GetChildAttrib("unit"), "cup");
    EXPECT_EQ(doc.GetChildAttrib("name"), "it's");
    EXPECT_EQ(doc.GetChildAttrib("k"), "") << "the tag name is no attribute";
    // The tag ends at the first ">", as the reader has always read it.
    ASSERT_TRUE(doc.FindChildElem("v"));
    EXPECT_EQ(doc.GetChildAttrib("name"), "a");
    // An unterminated quote runs only to the end of its tag.
    ASSERT_TRUE(doc.SetDoc("<r a=\"open><s b='2'/></r>"));
    ASSERT_TRUE(doc.FindElem());
    EXPECT_EQ(doc.GetAttrib("a"), "open");
    ASSERT_TRUE(doc.FindChildElem());
    EXPECT_EQ(doc.GetChildAttrib("b"), "2");
}

TEST(XmlDocumentTest, BuildsADocumentLineByLine) {
    XmlDocument doc;
    ASSERT_TRUE(doc.AddElem("ROOT"));
    EXPECT_EQ(doc.GetDoc(), "<ROOT/>\r\n");
    ASSERT_TRUE(doc.AddChildElem("A", "1 < 2 & 3 > 0"));
    ASSERT_TRUE(doc.AddChildElem("B"));
    EXPECT_EQ(doc.GetDoc(), "<ROOT>\r\n<A>1 &lt; 2 &amp; 3 &gt; 0</A>\r\n<B/>\r\n</ROOT>\r\n");
    EXPECT_FALSE(doc.AddElem("SECOND"));  // one root only
    EXPECT_FALSE(doc.AddChildElem("bad name"));
    EXPECT_FALSE(doc.AddChildElem(""));
    EXPECT_FALSE(doc.AddChildElem("a/b"));

    // Into the empty child B: it becomes a start tag with an end tag.
    ASSERT_TRUE(doc.IntoElem());
    EXPECT_EQ(doc.GetTagName(), "B");
    ASSERT_TRUE(doc.AddChildElem("C", "x"));
    ASSERT_TRUE(doc.AddElem("D", "after"));  // a sibling after B
    // With no main entry, AddElem appends to the end of the parent's content.
    doc.ResetPos();
    ASSERT_TRUE(doc.FindElem());
    ASSERT_TRUE(doc.IntoElem());
    ASSERT_TRUE(doc.AddElem("FIRST", "f"));
    EXPECT_EQ(doc.GetDoc(),
              "<ROOT>\r\n<A>1 &lt; 2 &amp; 3 &gt; 0</A>\r\n<B>\r\n<C>x</C>\r\n</B>\r\n"
              "<D>after</D>\r\n<FIRST>f</FIRST>\r\n</ROOT>\r\n");

    // The table kept up with every insertion: navigation agrees with a
    // fresh parse of the same text.
    XmlDocument reparsed;
    ASSERT_TRUE(reparsed.SetDoc(doc.GetDoc()));
    for (XmlDocument* d : {&doc, &reparsed}) {
        d->ResetPos();
        ASSERT_TRUE(d->FindElem("ROOT"));
        ASSERT_TRUE(d->IntoElem());
        ASSERT_TRUE(d->FindElem("A"));
        EXPECT_EQ(d->GetData(), "1 < 2 & 3 > 0");
        ASSERT_TRUE(d->FindElem("B"));
        ASSERT_TRUE(d->FindChildElem("C"));
        EXPECT_EQ(d->GetChildData(), "x");
        EXPECT_EQ(d->GetSubDoc(), "<B>\r\n<C>x</C>\r\n</B>");
        ASSERT_TRUE(d->FindElem("D"));
        EXPECT_EQ(d->GetData(), "after");
        ASSERT_TRUE(d->FindElem("FIRST"));
        EXPECT_EQ(d->GetData(), "f");
    }
}

TEST(XmlDocumentTest, AddingToAnElementWithEmptyContent) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetDoc("<r><list></list></r>"));
    ASSERT_TRUE(doc.FindElem());
    ASSERT_TRUE(doc.FindChildElem("list"));
    ASSERT_TRUE(doc.IntoElem());
    ASSERT_TRUE(doc.AddChildElem("x", "1"));
    ASSERT_TRUE(doc.AddChildElem("y", "2"));
    EXPECT_EQ(doc.GetDoc(), "<r><list>\r\n<x>1</x>\r\n<y>2</y>\r\n</list></r>");
    EXPECT_EQ(doc.GetChildData(), "2");
    ASSERT_TRUE(doc.OutOfElem());
    ASSERT_TRUE(doc.AddChildElem("z"));  // after the child entry "list"
    EXPECT_EQ(doc.GetDoc(), "<r><list>\r\n<x>1</x>\r\n<y>2</y>\r\n</list><z/>\r\n</r>");
}

TEST(XmlDocumentTest, AddingToAnEmptyTagWithSeveralSlashes) {
    // "<a//>" is an empty-element tag; it must become a real start tag.
    XmlDocument doc;
    ASSERT_TRUE(doc.SetDoc("<a x='1' //>"));
    ASSERT_TRUE(doc.FindElem());
    ASSERT_TRUE(doc.AddChildElem("b", "t"));
    EXPECT_EQ(doc.GetDoc(), "<a x='1' >\r\n<b>t</b>\r\n</a>");
    XmlDocument again;
    ASSERT_TRUE(again.SetDoc(doc.GetDoc()));
    ASSERT_TRUE(again.FindChildElem("b"));
    EXPECT_EQ(again.GetChildData(), "t");
}

TEST(XmlDocumentTest, HostileInputNeitherCrashesNorHangs) {
    XmlDocument doc;
    // Deep nesting is parsed without recursion.
    const int depth = 100000;
    std::string deep;
    for (int i = 0; i < depth; ++i) deep += "<d>";
    deep += "x";
    for (int i = 0; i < depth; ++i) deep += "</d>";
    ASSERT_TRUE(doc.SetDoc(deep));
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(doc.FindChildElem("d") && doc.IntoElem());

    // Unterminated deep nesting names the innermost element.
    EXPECT_FALSE(doc.SetDoc(std::string(50000, '<') + "a>"));
    EXPECT_FALSE(doc.SetDoc(deep.substr(0, 3 * depth + 1 + 4 * 10)));
    EXPECT_EQ(doc.GetError(), "End tag of d element not found");

    // NUL bytes and a one-megabyte line of text.
    std::string nul = std::string("<a>x") + '\0' + "y</a>";
    ASSERT_TRUE(doc.SetDoc(nul));
    ASSERT_TRUE(doc.FindElem("a"));
    EXPECT_EQ(doc.GetData(), std::string("x\0y", 3));
    std::string big = "<a>" + std::string(1 << 20, 'q') + "</a>";
    ASSERT_TRUE(doc.SetDoc(big));
    ASSERT_TRUE(doc.FindElem());
    EXPECT_EQ(doc.GetData().size(), 1u << 20);
    EXPECT_FALSE(doc.SetDoc("<a>" + std::string(1 << 20, '<')));
}

}  // namespace
}  // namespace pantrio
