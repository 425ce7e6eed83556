#include "writer/write_log.h"

#include "resources/message_table.h"

namespace vrx {

void WriteLog::AppendLogMessage(int id) { AppendLog(WriterMessage(id)); }

}  // namespace vrx
