// Qt belongs in the toolkit and the platform layer.
#include <QString>
