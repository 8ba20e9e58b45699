// The XML viewer: read-only, the document byte for byte, highlighting up to the size limit.
#include "app/xml_viewer.h"

#include <QtTest>

using velkor::app::XmlViewer;

class XmlViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheDocumentReadOnly() {
    XmlViewer viewer;
    const std::string doc = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<A name=\"Şevli\"/>\r\n";
    viewer.LoadDocument(doc);
    QCOMPARE(viewer.text().toStdString(), doc);
    QVERIFY(viewer.isReadOnly());
    QCOMPARE(viewer.lines(), 3);
    QCOMPARE(viewer.CaretPosition(), 0L);
    QVERIFY(viewer.lexer() != nullptr);
    QCOMPARE(viewer.SendScintilla(QsciScintilla::SCI_CANUNDO), 0L);
  }

  void largeDocumentsArePlainAndSmallOnesHighlightedAgain() {
    XmlViewer viewer;
    std::string big;
    const std::string line = "\t\t\t\t\t\t\t<P id=\"1\">   1000.000    2000.000   100.000</P>\r\n";
    while (big.size() <= XmlViewer::kHighlightLimit) big += line;
    viewer.LoadDocument(big);
    QVERIFY(viewer.lexer() == nullptr);
    QCOMPARE(viewer.SendScintilla(QsciScintilla::SCI_GETLENGTH), static_cast<long>(big.size()));
    viewer.LoadDocument("<a/>\r\n");
    QVERIFY(viewer.lexer() != nullptr);
    QCOMPARE(viewer.text(), QStringLiteral("<a/>\r\n"));
    viewer.ClearDocument();
    QVERIFY(viewer.text().isEmpty());
  }
};

QTEST_MAIN(XmlViewerTest)
#include "xml_viewer_test.moc"
