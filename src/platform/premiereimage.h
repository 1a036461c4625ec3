#pragma once
class QWidget;

// Start-up measure (--mesurer-demarrage): once `fenetre` has been painted
// for the first time, prints "premiere image: N" (N: the wall clock in
// nanoseconds since the epoch) and ends the program. bench/ compares N
// with the time it started the process.
void mesurerPremiereImage(QWidget *fenetre);
