#include "Core/Source/Stream.h"

#include "Core/Source/Error.h"

namespace Corvane
{
    namespace
    {
        const size_t kCopyBufferSize = 1024;

        // A stream reports an error only when it also carries an error status.
        IErrorStatus* ErrorStatusOf(IStream* stream)
        {
            return dynamic_cast<IErrorStatus*>(stream);
        }

        bool HasError(IStream* stream)
        {
            IErrorStatus* status = ErrorStatusOf(stream);
            return status && status->HasErrorOccurred();
        }

        int ErrorCode(IStream* stream)
        {
            IErrorStatus* status = ErrorStatusOf(stream);
            return status ? status->GetLastError() : 0;
        }
    }

    float IDataTransferProgressQuery::GetDataTransferPctComplete() const
    {
        unsigned size = GetDataTransferSize();
        if (size == 0)
            return 0.0f;
        return float(GetDataTransferNumBytesCopied()) / float(size);
    }

    unsigned long StreamCopy(IStream* source, IStream* target, unsigned long count, IDataTransferProgress* progress)
    {
        unsigned char buffer[kCopyBufferSize];
        unsigned long total = 0;
        bool failed = false;
        while (!source->IsEOF() && total < count && !(progress && progress->ShouldAbort()))
        {
            unsigned long wanted = count - total;
            size_t n = source->Read(buffer, wanted < kCopyBufferSize ? size_t(wanted) : kCopyBufferSize);
            size_t written = 0;
            while (written < n && !HasError(target))
            {
                size_t pass = target->Write(buffer + written, n - written);
                // A target that takes nothing and reports no error would otherwise spin forever.
                if (pass == 0)
                    break;
                written += pass;
            }
            total += written;
            if (progress)
                progress->OnDataTransferProgress(float(total) / float(count), written);
            if (HasError(source) || HasError(target))
            {
                failed = true;
                break;
            }
            // A source that yields nothing before its end, or a target that takes less than
            // it was given, cannot make progress.
            if (n == 0 || written < n)
                break;
        }
        if (failed && progress)
            progress->OnDataTransferError(HasError(source) ? ErrorCode(source) : ErrorCode(target));
        return total;
    }

    unsigned long StreamCopy(IStream* source, IStream* target, IDataTransferProgress* progress)
    {
        return StreamCopy(source, target, source->GetLength(), progress);
    }
}
