#include "cli/console_text.h"

namespace ConsoleText {

void write(std::FILE *stream, const QString &text) {
    std::fputs(text.toUtf8().constData(), stream);
}

} // namespace ConsoleText
