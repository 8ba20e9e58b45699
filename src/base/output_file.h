// A file created anew (replacing an existing one) and written from start to end; failing to create
// or to finish it raises "Cannot create file %s" naming it, so a full disk never passes for a
// written file.
#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

namespace velkor {

// How a file takes the place of the one of its name. The work files of a conversion are written in
// place: after a failure what was written stays, as the steps after it expect. The files delivered
// to the user (document, route copy, GSI pieces) are written under a temporary name beside the
// target and renamed over it only once complete, so a failure leaves the previous file as it was.
enum class Replace { InPlace, WhenComplete };

class OutputFile {
 public:
  explicit OutputFile(const std::filesystem::path& file, Replace how = Replace::InPlace);
  // Without Close a file replaced when complete is dropped, and the target stays as it was.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::ostream& stream() { return out_; }
  // A whole block at once, for bytes already in memory (a document of a hundred megabytes).
  void Write(std::string_view bytes);
  // Writes what is buffered and checks that every byte reached the file. A file replaced when
  // complete then waits under its temporary name until PutInPlace, so that several files can all be
  // finished before the first of them replaces anything.
  void Finish();
  // Renames a finished file over its target (nothing to do for a file written in place).
  void PutInPlace();
  void Close() {
    Finish();
    PutInPlace();
  }

 private:
  void Discard();

  std::filesystem::path name_;       // as the caller named it, for messages
  std::filesystem::path target_;     // what is replaced: the file a link leads to, if it is one
  std::filesystem::path temporary_;  // beside the target (empty when written in place)
  std::ofstream out_;
  bool finished_ = false;
  bool done_ = false;
};

}  // namespace velkor
