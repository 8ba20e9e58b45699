// The XML viewer. Large documents (a TIN of a million triangles is some 150 MB) are handed to the
// editor without undo collection or change reports; the large ones are built on another thread, so
// loading one stays a matter of a second and the windows keep painting meanwhile.
#include "app/xml_viewer.h"

#include <Qsci/qscilexerxml.h>

#include <QFont>
#include <new>

#include "app/busy_work.h"

namespace velkor::app {

// The editor's interface for filling a document of its own on another thread. The library does not
// install its header; this is the same three-function interface, called through the same table. It
// has external linkage on purpose: the compiler must not assume that nothing implements it.
class DocumentLoader {
 public:
  virtual int Release() = 0;
  virtual int AddData(const char* data, std::ptrdiff_t length) = 0;
  virtual void* ConvertToDocument() = 0;

 protected:
  ~DocumentLoader() = default;
};

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
  // The editor reports every change with a copy of the changed text (for assistive technologies, as
  // UTF-16, with a count of characters from the start): for a large document a second and a third
  // copy of it. Nothing here listens.
  SendScintilla(SCI_SETMODEVENTMASK, 0UL);
  // Before a lexer change, which would otherwise colour the old text; and the view shows an empty
  // document while a large one is built (making a loader resets the view's line bookkeeping).
  SendScintilla(SCI_CLEARALL);
  if (highlight) {
    // A large document before this one had no room for colours.
    if (SendScintilla(SCI_GETDOCUMENTOPTIONS) & SC_DOCUMENTOPTION_STYLES_NONE)
      ShowDocument(SendScintillaPtrResult(SCI_CREATEDOCUMENT));
    if (lexer() != lexer_) {
      setLexer(lexer_);
      setMarginsFont(ViewerFont(8));
    }
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(utf8.size() + 1));
    SendScintilla(SCI_SETTEXT, std::uintptr_t{0}, utf8.c_str());  // text messages take uintptr_t
  } else {
    // A document of its own, filled away from the windows: allocating and indexing 150 MB would
    // otherwise hold them still for seconds (so the loader is not sized here: that would zero its
    // room on the windows' thread). It keeps no colours, which would take as much room again, zeroed.
    auto* loader = static_cast<DocumentLoader*>(
        PointerAnswer(SCI_CREATELOADER, 0, static_cast<std::intptr_t>(SC_DOCUMENTOPTION_STYLES_NONE)));
    int status = SC_STATUS_OK;
    RunAwayFromWindows([&] { status = loader->AddData(utf8.data(), static_cast<std::ptrdiff_t>(utf8.size())); });
    if (status != SC_STATUS_OK) {
      loader->Release();
      SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(SC_MODEVENTMASKALL));
      throw std::bad_alloc();
    }
    if (lexer() != nullptr) setLexer(nullptr);
    ShowDocument(loader->ConvertToDocument());
    setFont(ViewerFont(10));
    setMarginsFont(ViewerFont(8));
  }
  SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(SC_MODEVENTMASKALL));
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  setReadOnly(true);
  SendScintilla(SCI_GOTOPOS, 0L);
  AdjustLineNumberMargin();
}

void XmlViewer::ShowDocument(void* document) {
  // Line ends, code page and undo are the document's, not the view's: carried over to the new one.
  const long eolMode = SendScintilla(SCI_GETEOLMODE);
  SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
  SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);  // the view holds it now
  SendScintilla(SCI_SETEOLMODE, static_cast<unsigned long>(eolMode));
  setUtf8(true);
  SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
}

void* XmlViewer::PointerAnswer(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) const {
  using Direct = std::intptr_t (*)(std::intptr_t, unsigned int, std::uintptr_t, std::intptr_t);
  const auto direct = reinterpret_cast<Direct>(SendScintillaPtrResult(SCI_GETDIRECTFUNCTION));
  const auto editor = reinterpret_cast<std::intptr_t>(SendScintillaPtrResult(SCI_GETDIRECTPOINTER));
  return reinterpret_cast<void*>(direct(editor, message, wParam, lParam));
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
  const long found = SendScintilla(SCI_SEARCHINTARGET, static_cast<std::uintptr_t>(needle.size()), needle.constData());
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
