#ifndef BINARIO_PLATFORM_JOURNAL_H_
#define BINARIO_PLATFORM_JOURNAL_H_

// The journal of a commit: before the first rename of a run's commit, the
// list of every rename it makes is written and flushed under kJournalName in
// the folder, and removed once the commit is whole. A run that dies in
// between leaves it, and the next run in the folder finishes that commit
// from it before it does anything else.
//
// Its bytes: a magic; for each final name of the commit three names, each
// ended by a NUL: the final name, the temporary that takes it (empty: the
// name is only deleted) and the backup its earlier file moves to; then a
// CRC-32 of all the bytes before it. Names are within the journal's folder.

#include <cstddef>
#include <string_view>

#include "base/text.h"
#include "platform/disk.h"

namespace binario {

struct JournalEntry {
  std::string_view final_name;
  std::string_view temporary;
  std::string_view backup;
};

// Appends one entry to `journal`, starting it when it is empty.
void add_journal_entry(const JournalEntry& entry, Text* journal);
// Ends `journal` with its CRC-32: it is then whole.
void end_journal(Text* journal);
// True when `journal` is a whole journal: not cut, not damaged, not another file.
bool journal_is_whole(std::string_view journal);
// The entry at `*at` (0 for the first) of a whole journal, moving `*at` on.
// False after the last.
bool next_journal_entry(std::string_view journal, size_t* at, JournalEntry* entry);

// Writes the whole `journal` into `folder` and flushes it with the folder:
// first to a temporary, which then takes the journal's name. False when it
// could not be written whole; nothing of it is then left.
bool write_journal(Disk& disk, const Text& folder, std::string_view journal);

// Carries out the commit that the whole `journal` describes in `folder`:
// each earlier file moves aside to its backup, then each temporary takes its
// final name, never replacing anything; then the folder is flushed. Undoes
// it: each file placed goes back to its temporary, each earlier file to its
// name. Both look at the folder before every step, so either may be
// repeated, or taken up where another that died stopped. False when a
// rename or the flush fails.
bool finish_commit(Disk& disk, const Text& folder, std::string_view journal);
bool undo_commit(Disk& disk, const Text& folder, std::string_view journal);

enum class Recovery : uint8_t {
  kDone,    // no commit left unfinished, and no leftover temporary
  kFailed,  // a commit could not be finished: its journal stays for a later run
};

// Run first, holding the folder's lock: finishes the commit of a run that
// died in `folder`, then removes every other leftover temporary. A commit is
// always finished, never undone: all its staged files were whole and flushed
// before its journal was written. A damaged journal is left as it is, with
// everything else (a backup may be the only copy of an earlier file). A
// leftover that cannot be removed is passed over; it harms no install.
Recovery recover_folder(Disk& disk, const Text& folder);

}  // namespace binario

#endif  // BINARIO_PLATFORM_JOURNAL_H_
