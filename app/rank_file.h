// The text of "rank.txt": ten lines "minutes seconds", lowest first. Reading
// recovers every well-formed pair it can from a damaged file, and keeps the
// damaged file once beside it as "rank.txt.damaged" before any save writes
// over it.
#pragma once

#include "storage/save_outcome.h"

#include <functional>
#include <string>

extern const char* const RANK_FILE;

// The pairs the file holds, in file order, from entry 0; entries past them
// keep what they held. False, with the table untouched, when there is no
// file to read: none, or one that reads as absent or cannot be read (named
// on stderr). Anything skipped is named on stderr with the damaged copy.
bool readRankFile(short table[20]);

// Stores the table in `arquivo` as ten lines "minutes seconds", replacing it
// whole or not at all; false when the file could not be replaced, with the
// system's reason in `reason` when one is given.
bool gravaRanking(const short tabela[20], const char* arquivo, std::string* reason = nullptr);

// One try at saving under the rank file's lock, for a caller that tries
// again on its next frame: Busy, with nothing read or written, while another
// process holds the lock. Otherwise the table is read afresh (what the file
// leaves unread is 00:00; without a file the table stays as it was), `enter`
// changes it, and it is written: Saved, or Failed with the reason.
SaveOutcome trySaveRankFile(short table[20], const std::function<void(short table[20])>& enter);
