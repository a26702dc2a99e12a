#include "modem/modem_status.h"

namespace modem {

using device::TResultCode;

const TResultCode msBadParams{2, "неверные параметры команды"};
const TResultCode msNoSuchCommand{3, "неизвестная команда"};
const TResultCode msTempUnable{4, "временно невозможно выполнить команду"};
const TResultCode msNoResources{5, "заняты все ресурсы"};
const TResultCode msDepthLimit{6, "достигнута предельная глубина сети"};
const TResultCode msBadDataCS{7, "неверная CS у запрошенных данных"};
const TResultCode msNoSuchTask{16, "обращение к неизвестной задаче"};
const TResultCode msBufferFull{17, "Буфер полон"};
const TResultCode msNoSuchNode{18, "Неизвестный узел"};
const TResultCode msNodeOffline{19, "узел вне сети (временно недоступен)"};
const TResultCode msTimeout{20, "время ожидания истекло"};
const TResultCode msNotDelivered{21, "Доставить сообщение не удалось"};
const TResultCode msNoSuchRoute{22, "Неизвстный маршрут доставки"};
const TResultCode msAccessDenied{80, "Доступ запрещен"};
const TResultCode msNotSupported{81, "Операция не поддерживается"};

const TResultCode *ModemStatusRecord(uint8_t status) {
  static const TResultCode *const kTable[] = {&msBadParams,   &msNoSuchCommand, &msTempUnable,   &msNoResources,
                                              &msDepthLimit,  &msBadDataCS,     &msNoSuchTask,   &msBufferFull,
                                              &msNoSuchNode,  &msNodeOffline,   &msTimeout,      &msNotDelivered,
                                              &msNoSuchRoute, &msAccessDenied,  &msNotSupported};
  if (status == 0) return &device::rcOK;
  for (const TResultCode *rc : kTable)
    if (rc->Code == status) return rc;
  return nullptr;
}

}  // namespace modem
