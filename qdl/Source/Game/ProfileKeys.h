#pragma once

// The account's "AccountID" names the current profile; every value of a
// profile is stored under that name followed by the value's suffix
// ("PondoButton_Progress").

#include <string>

namespace Corvane
{
class Account;
}

std::wstring profileKey(Corvane::Account const& account, wchar_t const* suffix);
