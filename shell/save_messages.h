#pragma once
// The windows' save messages, each shown in a box titled kMessageTitle with one OK button.
namespace brixel {

inline constexpr char kMessageTitle[] = "Внимание ! ! !";
inline constexpr char kEmptyListMessage[] = "Список пуст.";
// Every failure once the save has begun, whatever its cause.
inline constexpr char kFailureMessage[] = "Произошла непредвиденная ошибка";

}  // namespace brixel
