#include "download/transfer_outcome.h"

namespace varnoki::download {

TransferOutcome MakeOutcome(TransferResult result, qsizetype imageLength, const QString& detail) {
    QString message = QString::number(imageLength);
    if (result == TransferResult::Succeeded) {
        message += QStringLiteral("字節數據發送成功");
    } else {
        message += QStringLiteral("字節數據發送失敗");
        if (result != TransferResult::NoGoAhead && !detail.isEmpty()) message += QStringLiteral("：") + detail;
    }
    return {result, imageLength, message};
}

}  // namespace varnoki::download
