#include "write_log.h"

#include "strings.h"

namespace vrx {

void WriteLog::AppendLogMessage(int id) { AppendLog(WriterMessage(id)); }

}  // namespace vrx
