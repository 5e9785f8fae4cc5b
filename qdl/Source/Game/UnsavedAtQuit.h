#pragma once

// The end of the game with values in the account that its file could not
// take (a full disk, a folder made read-only): the log names the file and
// each key, the player is told once, in the words the profile screen uses for
// a choice that could not be saved, and OK tries the file once more.

namespace Corvane
{
class Account;
}

void tellOfUnsavedValues(Corvane::Account* account);
