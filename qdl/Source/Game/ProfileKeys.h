#pragma once

// The account's "AccountID" names the current profile; every value of a
// profile is stored under that name followed by the value's suffix
// ("PondoButton_Progress").

#include <string>

namespace Corvane
{
class Account;
}

// The name is the stored "AccountID" when it is one of the game's three
// profiles ("PondoButton", "SloamButton", "GrubbinButton"); any other name is
// logged and taken as empty, as when none was ever stored.
std::wstring profileKey(Corvane::Account const& account, wchar_t const* suffix);
