#ifndef BINARIO_PLATFORM_JOURNAL_H_
#define BINARIO_PLATFORM_JOURNAL_H_

// The journal of a commit: before the first rename of a run's commit, the
// list of every rename it makes is written and flushed under kJournalName in
// the folder, and removed once the commit is whole. A run that dies in
// between leaves it, and the next run in the folder finishes that commit
// from it before it does anything else.

#include <vector>

#include "base/text.h"
#include "platform/disk.h"

namespace binario {

// One final name of a commit, all three names within the journal's folder.
// The earlier file under `final_name`, if any, moves aside to `backup`; then
// `temporary` takes the final name. An empty `temporary`: the final name is
// only deleted.
struct JournalEntry {
  Text final_name;
  Text temporary;
  Text backup;

  friend bool operator==(const JournalEntry&, const JournalEntry&) = default;
};

// The journal's bytes: a magic, the entries, and a CRC-32 of all before it.
void encode_journal(const std::vector<JournalEntry>& entries, Bytes* out);
// False when `bytes` are not a whole journal (cut, damaged or another file).
bool decode_journal(const Bytes& bytes, std::vector<JournalEntry>* entries);

// Writes the journal into `folder` and flushes it with the folder: first to a
// temporary, which then takes the journal's name. False when it could not be
// written whole; nothing of it is then left.
bool write_journal(Disk& disk, const Text& folder, const std::vector<JournalEntry>& entries);

enum class Recovery : uint8_t {
  kDone,    // no commit left unfinished, and no leftover temporary
  kFailed,  // a commit could not be finished: its journal stays for a later run
};

// Run first, holding the folder's lock: finishes the commit of a run that
// died in `folder` (every staged file takes its final name, every earlier
// file set aside goes), then removes every other leftover temporary. A
// commit is always finished, never undone: all its staged files were whole
// and flushed before its journal was written. A leftover that cannot be
// removed is passed over; it harms no install.
Recovery recover_folder(Disk& disk, const Text& folder);

}  // namespace binario

#endif  // BINARIO_PLATFORM_JOURNAL_H_
