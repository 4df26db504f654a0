#include "app/Dymki.h"

namespace Dymki {

namespace {

const QString Br = QStringLiteral("\r\n");
const QString Br2 = QStringLiteral("\r\n\r\n");

} // namespace

QString StepTitle(int page)
{
    switch (page) {
    case 0:
        return QStringLiteral("Krok 1/6 - Wczytaj swój AFL");
    case 1:
        return QStringLiteral("Krok 2/6 - Ustawienia ogólne");
    case 2:
        return QStringLiteral("Krok 3/6 - Zabezpieczenia");
    case 3:
        return QStringLiteral("Krok 4/6 - Pozycje");
    case 4:
        return QStringLiteral("Krok 5/6 - Zlecenia");
    case 5:
        return QStringLiteral("Krok 6/6 - Podsumowanie");
    }
    return QString();
}

QString StepHint(int page)
{
    switch (page) {
    case 0:
        return QStringLiteral("Krok pierwszy pozwala na wczytanie kodu AFL, który w kolejnych "
                              "krokach zostanie uzupełniony o funkcje pozwalające na "
                              "automatyczne przekazywanie zleceń na GPW.") +
               Br2 +
               QStringLiteral("W celu wczytania swojego kodu AFL, należy nacisnąć przycisk "
                              "[Wybierz], wybrać skrypt AFL, wybór zatwierdzić przyciskiem "
                              "[Otwórz], a dalej nacisnąć przycisk [Wczytaj]");
    case 1:
        return QStringLiteral("Krok drugi pozwala na zdefiniowanie własnych walorów. Walor może "
                              "być automatycznie odczytywany z wykresu w Amibrokerze lub ręcznie "
                              "zdefniowany za pomocą nazwy własnej.") +
               Br2 +
               QStringLiteral("Uwaga! W przypadku ręcznej definicji należy używać długich nazw.") +
               Br2 +
               QStringLiteral("W tym kroku można również zdefiniować sposób generowania sygnału "
                              "na świeczce.") +
               Br +
               QStringLiteral("Określ w jaki sposób wczytany skrypt AFL generuje sygnały "
                              "kupna/sprzedaży. Jeśli wybierzesz opcję \"..w bieżącej "
                              "świeczce\", to w wynikowym skrypcie definicje sygnałów BUY/SELL "
                              "zostaną zmienione na Buy=Ref(Buy, -1);") +
               Br2 +
               QStringLiteral("Jeśli zaznaczysz opcję \"Wyświetl sygnały.. \" to program doda "
                              "własną obsługę wyświetlania sygnałów BUY/SELL na wykresie. W tym "
                              "takim przypadku zostaną usunięte wszystkie pierwotne funkcje "
                              "\"PlotShapes\" z kodu AFL.") +
               Br2 +
               QStringLiteral("Jeśli zaznaczysz opcję \"Automatycznie odświeżaj.. \" to program "
                              "doda funkcję RequestTimedRefresh. Gwarantuje ona, że wykres "
                              "odświeżany jest co deklarowny okres, nawet jeśli nie jest "
                              "widoczny w oknie Amibrokera.");
    case 2:
        return QStringLiteral("Krok trzeci pozwala na wprowadzenie zabezpieczeń do tworzonego "
                              "systemu transakcyjnego.") +
               Br2 +
               QStringLiteral("Zlecenia-transakcje zabezpieczają przed wielokrotnym wykonaniem "
                              "tego samego zlecenia.") +
               Br2 +
               QStringLiteral("Uwaga! Zabezpieczenia te mogą nie zadziałać jeśli Amibroker "
                              "zostanie wyłączony i włączony ponownie!") +
               Br2 +
               QStringLiteral("Interwał - zabezpiecza przed przypadkowymi zleceniami "
                              "wynikającymi ze zmiany interwału na wykresie w Amibrokerze.") +
               Br2 + QStringLiteral("Interwał 0 sekund oznacza interwał tickowy.");
    case 3:
        return QStringLiteral("Krok czwarty pozwala na zarządzanie wielkością lub wartością "
                              "pozycji w przygotowywanym systemie.") +
               Br2 +
               QStringLiteral("Wielkość (wartość) pozycji może być dokładnie określona co do "
                              "sztuki lub wartości.") +
               Br2 +
               QStringLiteral("W przypadku wyboru opcji \"Wielkość (wartość) pozycji określona "
                              "przez system\", wszystkie tego typu ustawienia powinny być "
                              "zdefiniowane przez użytkownika oddzielnie w ostatecznym kodzie "
                              "AFL.") +
               Br2 +
               QStringLiteral("Generowany kod zakłada, że transakcje dotyczą akcji. W przypadku "
                              "używania generowanego kodu dla kontraktów należy zmodyfikować "
                              "sekcje generujące zlecenia sprzedaży (szczegóły w dokumentacji)") +
               Br2 +
               QStringLiteral("Wygenerowany kod AFL nie sprawdza czy na rachunku z którego "
                              "będzie wykonywane zlecenie jest wystarczające pokrycie w "
                              "gotówce!");
    case 4:
        return QStringLiteral("Krok piąty pozwala na określenie limitów zleceń dla systemu "
                              "transakcyjnego oraz odchyleń od określonego kursu.") +
               Br2 +
               QStringLiteral("Uwaga! W przypadku wyboru opcji z dodaniem limitu aktywacji, "
                              "wybrany zakres odchyleń może być niewłaściwy: w przypadku gdy np. "
                              "sygnał pada na zakończenie świeczki, a zlecenie wysyłane jest na "
                              "początku następnej.") +
               QStringLiteral(" Jeżeli nastąpi skok ceny i przekroczy limit, to limit aktywacji "
                              "będzie wadliwie skonstruowany.") +
               Br2;
    case 5:
        return QStringLiteral("Krok szósty pokazuje podsumowanie określonych w poprzednich "
                              "etapach parametrów kodu AFL.") +
               Br2 +
               QStringLiteral("W tym kroku w pierwszej kolejności należy wygenerować kod AFL, a "
                              "następnie istnieje możliwość zapisania kodu AFL lub exportu "
                              "bezpośrednio do odpowiedniego katalogu Amibrokera.") +
               Br2 +
               QStringLiteral("Wynikowy kod wyświetlany jest w zakładce \"Wygenerowny kod "
                              "AFL\".");
    }
    return QString();
}

void FillStepTexts(QStringList& titles, QStringList& hints)
{
    titles.clear();
    hints.clear();
    for (int page = 0; page < 6; ++page) {
        titles.append(StepTitle(page));
        hints.append(StepHint(page));
    }
}

} // namespace Dymki
