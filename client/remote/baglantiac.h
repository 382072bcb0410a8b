#pragma once
// Opening a connection with retries.
#include <QString>

namespace vlm {

class Connection;

// The text shown after the last failed attempt when report is 1.
QString BaglantiKurulamiyorMetni();

// Closes the connection, then tries to open it up to 11 times, 500 ms apart.
// Each failure's own text is shown in a plain box (handed to the
// user-interface thread when called from another thread; the attempts wait
// until it is closed). After the eleventh failure, with report 1,
// "Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!" is shown as an error.
// Returns true when the connection is open.
bool BaglantiAc(Connection* baglanti, int rapor);

}  // namespace vlm
