#include "qdl/Source/Game/ProfileKeys.h"

#include "2DEngine/Source/Framework/Account.h"

std::wstring profileKey(Corvane::Account const& account, wchar_t const* suffix)
{
    return account.ReadValue(L"AccountID") + suffix;
}
