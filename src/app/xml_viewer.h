// The read-only XML viewer of the main window: QScintilla with the XML lexer, a line-number margin
// and the search the search command needs.
#pragma once

#include <Qsci/qsciscintilla.h>

#include <cstddef>
#include <cstdint>
#include <string>

class QsciLexerXML;

namespace velkor::app {

struct ViewerSearchOptions {
  bool backwards = false;
  bool matchCase = false;
  bool wholeWord = false;
  bool entireScope = true;  // from the start (forward) or the end (backward) instead of from the caret
  bool selectedOnly = false;
};

class XmlViewer : public QsciScintilla {
  Q_OBJECT

 public:
  explicit XmlViewer(QWidget* parent = nullptr);

  // Documents larger than this are shown without highlighting, and built away from the windows.
  static constexpr std::size_t kHighlightLimit = 32u * 1024u * 1024u;

  // Replaces the whole text by the document (UTF-8), without an undo history, caret at the start.
  void LoadDocument(const std::string& utf8);
  void ClearDocument();

  // Selects the first match with the caret at it and returns true; on no match returns false and
  // leaves the selection alone.
  bool Find(const QString& text, const ViewerSearchOptions& options);

  // The selection as byte positions (anchor may lie after caret).
  long SelectionStartPosition() const;
  long SelectionEndPosition() const;
  long CaretPosition() const;
  void SetSelectionPositions(long anchor, long caret);

 private:
  void AdjustLineNumberMargin();
  // Shows `document` (a reference the editor takes over) with this viewer's document settings.
  void ShowDocument(void* document);
  // The answer of a message that answers a pointer and takes both parameters. SendScintilla answers
  // a long, which on 64-bit Windows is too short for a pointer.
  void* PointerAnswer(unsigned int message, std::uintptr_t wParam, std::intptr_t lParam) const;

  QsciLexerXML* lexer_;
};

}  // namespace velkor::app
