#pragma once

// The words a user meets after a failed file operation, one for each family of causes, in
// UTF-8. Shared by the reasons for errno values and for Windows error codes.
namespace ErrorWords {

inline constexpr const char *DiskFull = "disco pieno";
inline constexpr const char *FileTooLarge = "file troppo grande";
inline constexpr const char *QuotaExceeded = "superata la quota di spazio su disco assegnata all'utente";
inline constexpr const char *InputOutput = "errore di input/output sul disco";
inline constexpr const char *ReadOnlyFileSystem = "file system di sola lettura";
inline constexpr const char *AccessDenied = "accesso negato";
inline constexpr const char *InUse = "il file è in uso da un altro programma";
inline constexpr const char *NotFound = "il file o la cartella non esiste";
inline constexpr const char *NetworkLost = "la connessione con il disco di rete si è interrotta";
inline constexpr const char *DeviceGone = "il disco non è più collegato o non è pronto";
inline constexpr const char *OutOfMemory = "memoria insufficiente";
inline constexpr const char *TooManyFiles = "troppi file aperti";
inline constexpr const char *PathTooLong = "percorso troppo lungo";
// Followed by the code's number.
inline constexpr const char *OtherError = "errore di sistema ";

} // namespace ErrorWords
