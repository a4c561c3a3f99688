'''The login manager mock of python-dbusmock, completed for these tests.

Adds the *WithFlags requests that newer login managers have (parameter
"WithFlags", default true), can make CanPowerOff fail with an error message
(parameter "CanPowerOffError") and can make the questions and requests take
"AnswerDelay" seconds each.
'''

from dbusmock.templates.logind import *  # noqa: F401,F403 - the template's methods and names
from dbusmock.templates import logind as _base

REQUESTS = ('PowerOff', 'Reboot', 'Halt', 'Suspend', 'Hibernate', 'HybridSleep',
            'SuspendThenHibernate')


def load(mock, parameters):
    _base.load(mock, parameters)
    if parameters.get('WithFlags', True):
        mock.AddMethods(MAIN_IFACE, [(name + 'WithFlags', 't', '', '') for name in REQUESTS])
    delay = parameters.get('AnswerDelay')
    if delay:
        wait = f'__import__("time").sleep({float(delay)}); '
        for question in ('CanPowerOff', 'CanSuspend', 'CanHibernate'):
            mock.AddMethod(MAIN_IFACE, question, '', 's',
                           wait + f'ret = "{parameters.get(question, "yes")}"')
        for name in REQUESTS:
            mock.AddMethod(MAIN_IFACE, name, 'b', '', wait)
            if parameters.get('WithFlags', True):
                mock.AddMethod(MAIN_IFACE, name + 'WithFlags', 't', '', wait)
    error = parameters.get('CanPowerOffError')
    if error:
        mock.AddMethod(MAIN_IFACE, 'CanPowerOff', '', 's',
                       f'raise dbus.exceptions.DBusException({error!r}, '
                       f'name="org.freedesktop.DBus.Error.AccessDenied")')
