#include "device/result_code.h"

namespace device {

const TResultCode rcOK{0, "OK"};
const TResultCode rcError{1, "ошибка"};
const TResultCode rcNoAnswer{2, "нет ответа от устройства"};
const TResultCode rcPending{3, ""};
const TResultCode rcChannelInit{4, "ошибка инициализации канала связи"};
const TResultCode rcLineLost{4, "ошибка инициализации канала связи: порт отключён, ожидается его возвращение"};
const TResultCode rcAborted{6, "прерывание выполнения команды"};
const TResultCode rcModemCommand{7, "команда от модема"};
const TResultCode rcIdentError{8, "ошибка идентификации устройства"};
const TResultCode rcBadDateTime{9, "некорректное значение даты/времени"};
const TResultCode rcBadParams{10, "некорректные значения входных параметров"};
const TResultCode rcBadFormat{11, "некорректный формат значения"};
const TResultCode rcRxOverflow{12, "переполнен буфер приема"};
const TResultCode rcChecksum{13, "ошибка контрольной суммы"};
const TResultCode rcNoRecord{14, "нет записи"};
const TResultCode rcBusy{15, "невозможно выполнить команду сейчас"};
const TResultCode rcHardware{16, "неисправность оборудования"};
const TResultCode rcExecError{17, "ошибка выполнения команды"};
const TResultCode rcBadDeviceNo{18, "неверный номер устройства"};
const TResultCode rcStrangePacket{19, "неизвестный пакет"};
const TResultCode rcRecordChecksum{20, "ошибка контрольной суммы записи"};

const TResultCode rcBadCommand{101, "неизвестная команда или неверный формат команды"};
const TResultCode rcBadCommandParams{102, "некорректные параметры команды"};
const TResultCode rcWrongMode{103, "невозможно выполнить команду в данном режиме"};
const TResultCode rcNoData{104, "данные отсутствуют"};
const TResultCode rcNoAdapterAnswer{105, "нет ответа от адаптера"};
const TResultCode rcAdapterBusy{15, "невозможно выполнить команду сейчас"};
const TResultCode rcAdapterFault{16, "неисправность оборудования"};

}  // namespace device
