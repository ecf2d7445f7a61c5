// velmor-workbook FILE: reads a workbook and writes it to its standard
// output in the form OpenWorkbook takes back; exits with 0 only when the
// whole workbook was written. The program starts it with the write end of a
// pipe as standard output and stops it when it runs past its time.
#include <unistd.h>

#include <cerrno>
#include <exception>

#include "framework/workbook/WorkbookReader.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    // The workbook goes out on a descriptor of its own; anything the
    // libraries print goes to the standard error, not into the reply.
    const int out = dup(STDOUT_FILENO);
    if (out < 0 || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) return 1;
    try {
        bool written = true;
        workbook::Serialize(*ReadWorkbookFile(argv[1]), [&](const String& bytes) {
            size_t done = 0;
            while (written && done < bytes.size()) {
                const ssize_t n = write(out, bytes.data() + done, bytes.size() - done);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) written = false;
                else done += static_cast<size_t>(n);
            }
        });
        return written ? 0 : 1;
    } catch (...) {
        return 1;
    }
}
