#include "write_log.h"

#include "message_table.h"

namespace vrx {

void WriteLog::AppendLogMessage(int id) { AppendLog(WriterMessage(id)); }

}  // namespace vrx
