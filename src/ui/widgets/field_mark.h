#pragma once
// Marks on the fields of a form: a value the modem holds outside the
// field's range, and a field changed since it was filled. The mark is a
// colour and a tool tip, which screen readers read as the description.
class QWidget;

enum class TFieldMark { None, Changed, OutOfRange };

void SetFieldMark(QWidget *field, TFieldMark mark);
TFieldMark FieldMark(const QWidget *field);

inline constexpr char kOutOfRangeHint[] = "значение модема вне диапазона поля";
inline constexpr char kChangedHint[] = "изменено, ещё не записано";
