#ifndef CORVANE_CORE_ERROR_H
#define CORVANE_CORE_ERROR_H

#include <atomic>
#include <stdexcept>
#include <string>

namespace Corvane
{

class IMutex;

// A failure the caller cannot repair, with the place that raised it.
class RuntimeError : public std::runtime_error
{
public:
    // Characters above 127 in a wide message become '?'.
    RuntimeError(std::wstring const& message, char const* file, int line, char const* function);
    RuntimeError(std::string const& message, char const* file, int line, char const* function);
    RuntimeError(wchar_t const* message, char const* file, int line, char const* function);
    RuntimeError(char const* message, char const* file, int line, char const* function);

    std::string const& GetFile() const { return mFile; }
    int GetLine() const { return mLine; }
    std::string const& GetFunction() const { return mFunction; }

protected:
    // A null file or function leaves that field empty.
    void RecordLocation(char const* file, int line, char const* function);

private:
    std::string mFile;
    int mLine;
    std::string mFunction;
};

// Writes the error's message, function, file and line to the log; what the
// program's entry point does with an escaping RuntimeError.
void LogRuntimeError(RuntimeError const& error);

// Reference counting of shared job, channel, sound-data and texture objects,
// held through boost::intrusive_ptr.
class IReferenced
{
public:
    virtual ~IReferenced() {}
    virtual void AddRef() = 0;
    virtual void Release() = 0;
};

// The count behind an IReferenced object's AddRef and Release, safe across
// threads. It starts at 1: the reference its maker adopts.
class ReferenceCount
{
public:
    void Add() { ++mCount; }
    // True when that was the last reference: the owner then deletes itself.
    bool Remove() { return --mCount == 0; }
    int Get() const { return mCount; }

private:
    std::atomic<int> mCount{1};
};

inline void intrusive_ptr_add_ref(IReferenced* object)
{
    object->AddRef();
}

inline void intrusive_ptr_release(IReferenced* object)
{
    object->Release();
}

// The last-error code of a long-running job, written by its worker thread and
// polled by others. Negative codes are errors.
class IErrorStatus
{
public:
    IErrorStatus();
    virtual ~IErrorStatus();
    IErrorStatus(IErrorStatus const&) = delete;
    IErrorStatus& operator=(IErrorStatus const&) = delete;

    virtual bool HasErrorOccurred();
    virtual int GetLastError();
    virtual void ClearError();
    virtual void SetLastError(int code);

private:
    IMutex* mMutex;
    int mLastError;
};

} // namespace Corvane

// Throws a Corvane::RuntimeError carrying the raising file, line and function.
// The message may be narrow or wide text.
#define CORVANE_THROW(message) \
    throw ::Corvane::RuntimeError((message), __FILE__, __LINE__, __PRETTY_FUNCTION__)

#endif
