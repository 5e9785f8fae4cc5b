#include "2DEngine/Source/Framework/Account.h"

#include "2DEngine/Source/Framework/AccountFile.h"
#include "2DEngine/Source/Framework/AttributeContainer.h"
#include "Core/Source/Base64.h"
#include "Core/Source/Log.h"
#include "Core/Source/MemoryStream.h"
#include "Core/Source/Singleton.h"
#include "Core/Source/StringFormatter.h"

#include <algorithm>

namespace Corvane
{
    using namespace AccountFile;

    namespace
    {
        void LogXMLError(char const* operation, std::wstring const& account, sRebuildResult const& failure)
        {
            Internal::LogWrite("Corvane::Account::%s: There is an error in the XML data for the account '%ls'.\n",
                               operation, account.c_str());
            Internal::LogWrite("%s\n", failure.errorType.c_str());
            Internal::LogWrite("\tMessage:\t%s\n", failure.errorMessage.c_str());
        }

        void LogUnreadable(char const* operation, Account const& account)
        {
            Internal::LogWrite("Corvane::Account::%s: the file of the account '%ls' cannot be read; it is left as it is.\n",
                               operation, account.GetName().c_str());
        }

        void LogUnwritten(char const* operation, Account const& account)
        {
            Internal::LogWrite("Corvane::Account::%s: the file of the account '%ls' could not be written; it keeps its "
                               "earlier contents.\n",
                               operation, account.GetName().c_str());
        }

        // The record of a key, read afresh from the file.
        AttributeContainer ReadRecord(Account const& account, std::wstring const& key)
        {
            AttributeContainer record;
            Bytes bytes;
            eReadResult const read = ReadWhole(account.GetFile(), bytes);
            if (read == kRead_Unreadable)
                LogUnreadable("ReadValue", account);
            if (read != kRead_Ok)
                return record;
            sRebuildResult failure;
            FindRecord(bytes, key, record, &failure);
            if (failure.damaged)
                LogXMLError("ReadValue", account.GetName(), failure);
            return record;
        }

        // Rebuilds the file with the key written or removed and puts the result in place. A
        // damaged original is first kept beside the file, so that nothing a child earned is lost
        // to the salvage.
        bool Rewrite(Account const& account, char const* operation, std::wstring const& key, std::wstring const& value,
                     eRebuild mode)
        {
            Bytes original;
            eReadResult const read = ReadWhole(account.GetFile(), original);
            if (read == kRead_Unreadable)
            {
                LogUnreadable(operation, account);
                return false;
            }
            if (read == kRead_Missing && mode == kRebuild_Delete)
                return true;
            sRebuildResult rebuilt = Rebuild(original, key, value, mode);
            if (mode == kRebuild_Delete && !rebuilt.keyFound && !rebuilt.damaged)
                return true;
            if (rebuilt.damaged)
            {
                LogXMLError(operation, account.GetName(), rebuilt);
                FileAddress const damaged = DamagedCopyFor(account.GetFile());
                if (SaveAtomically(damaged, original, kReplace_Overwrite) != kReplaceResult_Done)
                {
                    LogUnwritten(operation, account);
                    return false;
                }
                Internal::LogWrite("Corvane::Account::%s: the damaged file was kept as '%ls%ls'.\n", operation,
                                   damaged.GetName().c_str(), damaged.GetExtension().c_str());
            }
            if (SaveAtomically(account.GetFile(), rebuilt.document, kReplace_Overwrite) != kReplaceResult_Done)
            {
                LogUnwritten(operation, account);
                return false;
            }
            return true;
        }

        // The value's bytes; deleting the stream stores them back.
        class AccountValueStream : public MemoryStream
        {
        public:
            AccountValueStream(Account* account, std::wstring const& key)
                : MemoryStream(L"Account Value " + key), mAccount(account), mKey(key)
            {
                Base64::Decode(account->ReadValue(key), this);
                Seek(kSeekBegin, 0);
            }

            ~AccountValueStream() override
            {
                try
                {
                    Seek(kSeekBegin, 0);
                    mAccount->WriteValue(mKey.c_str(), Base64::Encode(this));
                }
                catch (std::exception const& error)
                {
                    Internal::LogWrite("Corvane::Account: the value '%ls' could not be stored: %s\n", mKey.c_str(),
                                       error.what());
                }
            }

        private:
            Account* mAccount;
            std::wstring mKey;
        };
    }

    Account::Account(FileAddress const& file, std::wstring const& name, bool current)
        : mFile(file), mName(name), mCurrent(current)
    {
    }

    std::wstring Account::ReadValue(std::wstring const& key) const
    {
        return ReadRecord(*this, key).GetAttribute(L"value");
    }

    bool Account::ReadValue(std::wstring const& key, bool const& defaultValue) const
    {
        return ReadRecord(*this, key).GetAttribute(L"value", defaultValue);
    }

    int Account::ReadValue(std::wstring const& key, int const& defaultValue) const
    {
        return ReadRecord(*this, key).GetAttribute(L"value", defaultValue);
    }

    float Account::ReadValue(std::wstring const& key, float const& defaultValue) const
    {
        return ReadRecord(*this, key).GetAttribute(L"value", defaultValue);
    }

    bool Account::writeValue(wchar_t const* key, std::wstring const& value)
    {
        if (!key)
            return false;
        return Rewrite(*this, "WriteValue", key, value, kRebuild_Write);
    }

    bool Account::WriteValue(wchar_t const* key, std::wstring const& value)
    {
        return writeValue(key, value);
    }

    bool Account::WriteValue(wchar_t const* key, wchar_t const* value)
    {
        return writeValue(key, value ? std::wstring(value) : std::wstring());
    }

    bool Account::WriteValue(wchar_t const* key, int value)
    {
        return writeValue(key, StringFormatter(L"%1:d%").Arg(value).c_str());
    }

    bool Account::WriteValue(wchar_t const* key, float value)
    {
        return writeValue(key, StringFormatter(L"%1%").Arg(value).c_str());
    }

    bool Account::WriteValue(wchar_t const* key, bool value)
    {
        return writeValue(key, value ? L"true" : L"false");
    }

    bool Account::DeleteValue(wchar_t const* key)
    {
        if (!key)
            return false;
        return Rewrite(*this, "DeleteValue", key, std::wstring(), kRebuild_Delete);
    }

    IStream* Account::OpenValueStream(wchar_t const* key)
    {
        if (!key)
            return nullptr;
        return new AccountValueStream(this, key);
    }

    unsigned long Account::ReadBinary(wchar_t const* key, void* buffer, unsigned long size)
    {
        if (!key || (!buffer && size > 0))
            return 0;
        // Reading needs no write-back: the value is decoded straight from the record.
        MemoryStream bytes(L"Account Value");
        Base64::Decode(ReadValue(key), &bytes);
        bytes.Seek(kSeekBegin, 0);
        return static_cast<unsigned long>(bytes.Read(buffer, size));
    }

    unsigned long Account::WriteBinary(wchar_t const* key, void const* buffer, unsigned long size)
    {
        if (!key || (!buffer && size > 0))
            return 0;
        // One rewrite that replaces the record in place: deleting first would lose the old
        // value if the second write failed.
        MemoryStream bytes(L"Account Value");
        if (size > 0)
            bytes.Write(buffer, size);
        bytes.Seek(kSeekBegin, 0);
        return writeValue(key, Base64::Encode(&bytes)) ? size : 0;
    }
}
