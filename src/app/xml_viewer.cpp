// The XML viewer. Large documents (a TIN of a million triangles is some 150 MB) are handed to the
// editor as bytes in one call, with undo collection off, so loading stays a matter of seconds.
#include "app/xml_viewer.h"

#include <Qsci/qscilexerxml.h>

#include <QFont>

namespace velkor::app {

namespace {
QFont ViewerFont(int points) {
  QFont font(QStringLiteral("Courier New"), points);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}
}  // namespace

XmlViewer::XmlViewer(QWidget* parent) : QsciScintilla(parent), lexer_(new QsciLexerXML(this)) {
  setUtf8(true);
  lexer_->setDefaultFont(ViewerFont(10));
  lexer_->setFont(ViewerFont(10));
  setLexer(lexer_);
  setBraceMatching(QsciScintilla::NoBraceMatch);
  setMarginType(0, QsciScintilla::NumberMargin);
  setMarginLineNumbers(0, true);
  setMarginsFont(ViewerFont(8));
  setWrapMode(QsciScintilla::WrapNone);
  SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
  // Highlighting is done in idle time, a slice at a time: a jump to the end of a 150 MB surface
  // shows its text at once and colours it while the window stays usable.
  SendScintilla(SCI_SETIDLESTYLING, static_cast<unsigned long>(SC_IDLESTYLING_ALL));
  setReadOnly(true);
  AdjustLineNumberMargin();
}

void XmlViewer::LoadDocument(const std::string& utf8) {
  // Colouring a whole large TIN costs minutes of lexing and stalls of seconds; above the limit the
  // text is shown plain, so jumping and scrolling through it stay immediate.
  const bool highlight = utf8.size() <= kHighlightLimit;
  setReadOnly(false);
  SendScintilla(SCI_CLEARALL);  // before a lexer change, which would otherwise colour the old text
  if (highlight && lexer() != lexer_) {
    setLexer(lexer_);
    setMarginsFont(ViewerFont(8));
  } else if (!highlight && lexer() != nullptr) {
    setLexer(nullptr);
    setFont(ViewerFont(10));
    setMarginsFont(ViewerFont(8));
  }
  SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + 1));
  // Told of the insertion, the editor widget would copy the whole text and convert it once more for
  // assistive tools; nothing listens for it here, and it would double the time and the memory.
  const long events = SendScintilla(SCI_GETMODEVENTMASK);
  SendScintilla(SCI_SETMODEVENTMASK, 0UL);
  SendScintilla(SCI_SETTEXT, 0UL, utf8.c_str());
  SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(events));
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  setReadOnly(true);
  SendScintilla(SCI_GOTOPOS, 0L);
  AdjustLineNumberMargin();
}

void XmlViewer::ClearDocument() { LoadDocument(std::string()); }

void XmlViewer::AdjustLineNumberMargin() {
  const QString widest = QString(QString::number(lines()).size() + 1, QLatin1Char('9'));
  setMarginWidth(0, widest);
}

long XmlViewer::SelectionStartPosition() const { return SendScintilla(SCI_GETSELECTIONSTART); }
long XmlViewer::SelectionEndPosition() const { return SendScintilla(SCI_GETSELECTIONEND); }
long XmlViewer::CaretPosition() const { return SendScintilla(SCI_GETCURRENTPOS); }

void XmlViewer::SetSelectionPositions(long anchor, long caret) {
  SendScintilla(SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
}

bool XmlViewer::Find(const QString& text, const ViewerSearchOptions& options) {
  const QByteArray needle = text.toUtf8();
  if (needle.isEmpty()) return false;
  const long length = SendScintilla(SCI_GETLENGTH);
  long from = 0;
  long to = length;
  if (options.selectedOnly) {
    from = SelectionStartPosition();
    to = SelectionEndPosition();
  } else if (!options.entireScope) {
    from = CaretPosition();
  }
  int flags = 0;
  if (options.matchCase) flags |= SCFIND_MATCHCASE;
  if (options.wholeWord) flags |= SCFIND_WHOLEWORD;
  SendScintilla(SCI_SETSEARCHFLAGS, flags);
  if (options.backwards) {
    // A backward range runs from its end towards its start; from the caret it runs towards 0.
    const long start = options.selectedOnly ? to : (options.entireScope ? length : CaretPosition());
    const long end = options.selectedOnly ? from : 0;
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
  } else {
    SendScintilla(SCI_SETTARGETRANGE, static_cast<unsigned long>(from), to);
  }
  const long found = SendScintilla(SCI_SEARCHINTARGET, static_cast<unsigned long>(needle.size()), needle.constData());
  if (found < 0) return false;
  const long matchStart = SendScintilla(SCI_GETTARGETSTART);
  const long matchEnd = SendScintilla(SCI_GETTARGETEND);
  // The caret goes to the side the search moves towards, so the next search goes on from there.
  if (options.backwards) {
    SetSelectionPositions(matchEnd, matchStart);
  } else {
    SetSelectionPositions(matchStart, matchEnd);
  }
  ensureLineVisible(static_cast<int>(SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(matchStart))));
  return true;
}

}  // namespace velkor::app
