# exchange: import, export, summary, offcuts, labels. Core writers and readers (no Qt) and the
# windows (Qt).
set(exchange_CORE)
set(exchange_QT)
